#pragma once

#include <string>
#include <string_view>

namespace varrow::rtf
{

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends the UTF-8 form of `codePoint`. Surrogates and values above U+10FFFF, which have no
// UTF-8 form, are appended as U+FFFD.
void appendUtf8(std::string& out, char32_t codePoint);

// Appends `bytes` read as UTF-8: every well-formed sequence unchanged, every byte that does not
// begin one (stray continuation bytes, overlong forms, surrogates, truncated sequences) as U+FFFD.
void appendValidUtf8(std::string& out, std::string_view bytes);

// True when `bytes` is entirely well-formed UTF-8 (the empty text is).
bool isValidUtf8(std::string_view bytes);

} // namespace varrow::rtf
