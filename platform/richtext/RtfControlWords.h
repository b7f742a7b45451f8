#pragma once

#include <optional>
#include <string_view>

// Tables of the control words that need no more than a look-up.
namespace varrow::rtf
{

// True for a destination that holds no body text, written by word processors without the "\*"
// that would mark it as skippable: document information, style sheet, list tables, headers,
// footers, footnotes, annotations, field instructions, index and bookmark entries, the metafile
// copy of a picture, shape instructions and the like.
bool isSkippedDestination(std::string_view word);

// The character that a control word stands for ("\emdash", "\bullet", "\lquote", ...), or none.
std::optional<char32_t> characterOfWord(std::string_view word);

// The character that a control symbol stands for ("\~", "\_", "\-"), or none.
std::optional<char32_t> characterOfSymbol(char symbol);

// True for the control words that switch underlining on (in any of its line styles). "\ulnone"
// switches it off; "\ulc" (the underline colour) is not one of them.
bool isUnderlineWord(std::string_view word);

} // namespace varrow::rtf
