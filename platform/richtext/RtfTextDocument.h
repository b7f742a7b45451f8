#pragma once

#include "platform/richtext/RtfParser.h"

#include <filesystem>
#include <string_view>
#include <vector>

class QTextDocument;

namespace varrow
{

// Replaces the whole content of `document` by the RTF document in `bytes`: one block per
// paragraph with its alignment, indents and spacing, text in its fonts, sizes, styles and
// colours, and PNG/JPEG pictures as image resources of the document. Whatever could be read is
// shown, also from damaged input; the returned problems say what was wrong with it (empty for a
// sound document). A picture that Qt cannot decode is left out and reported as
// rtf::Problem::UnreadablePicture.
std::vector<rtf::Problem> loadRtfInto(QTextDocument& document, std::string_view bytes);

// loadRtfInto with the content of the file at `path`. Throws FileError, naming the file and the
// reason, when the file cannot be read; `document` is then empty.
std::vector<rtf::Problem> loadRtfFile(QTextDocument& document, const std::filesystem::path& path);

} // namespace varrow
