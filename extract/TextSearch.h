#pragma once

#include <string>
#include <string_view>

// Substring searches and replacements on byte strings. "NoCase" variants fold only ASCII letters,
// so UTF-8 sequences and any other bytes compare exactly.
namespace varrow
{

inline constexpr std::size_t npos = std::string_view::npos;

// The bit that tells an ASCII letter's cases apart. Set in both bytes compared, it makes every
// pair of bytes that equal but for a letter's case equal (and some others, which a closer look
// has to rule out).
inline constexpr unsigned char kAsciiCaseBit = 0x20;

// Inline, as the scans call these for every few bytes of markup.
inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}
inline bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

// Position of the first occurrence of `needle` at or after `from`, or npos. An empty needle is
// found at `from`.
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);
inline bool containsNoCase(std::string_view haystack, std::string_view needle)
{
    return findNoCase(haystack, needle) != npos;
}
inline bool contains(std::string_view haystack, std::string_view needle)
{
    return haystack.find(needle) != npos;
}

// Replaces every occurrence of `from` in one left-to-right pass that does not look at its own
// output again. An empty `from` leaves the text unchanged.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
std::string replaceAllNoCase(std::string_view text, std::string_view from, std::string_view to);

} // namespace varrow
