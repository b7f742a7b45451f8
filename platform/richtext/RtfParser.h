#pragma once

#include "platform/richtext/RtfDocument.h"

#include <string_view>
#include <vector>

namespace varrow::rtf
{

// Something wrong with the input. The reader still keeps everything it could read.
enum class Problem {
    NotRtf,            // no "{\rtf" header: the bytes were read as plain text
    MissingGroupEnd,   // the input ended inside a group
    UnbalancedBraces,  // a "}" without an open group (ignored), or content after the end (read)
    TooDeeplyNested,   // groups nested deeper than the reader follows; their content was dropped
    BadHexEscape,      // "\'" without two hexadecimal digits; it was ignored
    TruncatedBinary,   // "\binN" with fewer than N bytes left
    UnreadablePicture, // a PNG or JPEG picture whose data does not begin like one; it was dropped
};

// A sentence that says what the problem is, for messages that name the file.
std::string_view describe(Problem problem);

struct ParseResult {
    Document document;
    std::vector<Problem> problems; // each kind at most once, in the order first met
};

// Groups deeper than this are skipped with everything inside them.
inline constexpr int kMaxGroupDepth = 512;

// Reads an RTF document as word processors write it. Text is decoded to UTF-8 from the document's
// code page ("\ansicpgN", "\mac", "\pc", "\pca"; 1252 when none is given) or from the current
// font's character set, and from "\uN" with "\ucN" fallback skipping. Font and colour tables,
// character formats, paragraph formats and PNG/JPEG pictures are kept; unknown "\*" destinations
// and destinations that hold no body text (document information, style sheet, headers, footers,
// footnotes, field instructions) are skipped. Never throws for any input; input that does not
// begin with "{\rtf" is read as plain text, one paragraph per line, as UTF-8 when it is valid
// UTF-8 and as code page 1252 otherwise.
ParseResult parseRtf(std::string_view input);

} // namespace varrow::rtf
