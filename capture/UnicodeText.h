#pragma once

#include <cstddef>
#include <string_view>

namespace varrow
{

// The length of the UTF-8 sequence that starts `text` (which must not be empty), or 0 when it is
// not valid UTF-8 (overlong forms, surrogates and code points beyond U+10FFFF included); its code
// point in `codePoint`.
std::size_t decodeUtf8(std::string_view text, char32_t& codePoint);

// Calls `onCharacter(bytes, codePoint, wellFormed)` for each character of `text`, in order: a
// well-formed UTF-8 sequence with its code point, or else one byte alone, with its value.
template <typename OnCharacter>
void forEachCharacter(std::string_view text, OnCharacter&& onCharacter)
{
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8(text, codePoint);
        if (length == 0)
            codePoint = static_cast<unsigned char>(text.front());
        const std::size_t taken = length == 0 ? 1 : length;
        onCharacter(text.substr(0, taken), codePoint, length != 0);
        text.remove_prefix(taken);
    }
}

// A control character: C0, DEL or C1.
bool isControlCharacter(char32_t c);

// A character that shows nothing, or breaks the line, where it stands: the format characters
// (zero-width spaces and joiners, direction marks and overrides, the Arabic letter mark, the byte
// order mark, ...), the line separator and the paragraph separator. A name holding one reads
// otherwise than it is stored.
bool isInvisibleCharacter(char32_t c);

} // namespace varrow
