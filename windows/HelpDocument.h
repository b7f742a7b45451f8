#pragma once

#include <filesystem>

class QTextDocument;

namespace varrow
{

// Fills `document` with the rich-text file at `path`, replacing what it held. Throws FileError
// (platform/textfile) when the file cannot be read; the document is then unchanged.
//
// The help window's one door to the rich-text reader, which plugs in here; this one shows the
// file's text as it is.
void loadHelpDocument(QTextDocument& document, const std::filesystem::path& path);

} // namespace varrow
