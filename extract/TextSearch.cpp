#include "extract/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace varrow
{

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

namespace
{

bool isAsciiLetter(char c)
{
    const char lower = asciiLower(c);
    return lower >= 'a' && lower <= 'z';
}

} // namespace

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (needle.empty())
        return from <= haystack.size() ? from : npos;
    if (from >= haystack.size() || haystack.size() - from < needle.size())
        return npos;
    const std::size_t last = haystack.size() - needle.size();
    const char* base = haystack.data();
    // memchr is far faster than a byte loop. It looks for a byte of the needle that has one case
    // only, when there is one, so that one search suffices; the occurrence starts that far before.
    const std::size_t anchor = static_cast<std::size_t>(
        std::find_if_not(needle.begin(), needle.end(), isAsciiLetter) - needle.begin());
    if (anchor < needle.size()) {
        for (std::size_t at = from; at <= last;) {
            const void* hit = std::memchr(base + at + anchor, needle[anchor], last - at + 1);
            if (!hit)
                return npos;
            at = static_cast<std::size_t>(static_cast<const char*>(hit) - base) - anchor;
            if (equalsNoCase(haystack.substr(at, needle.size()), needle))
                return at;
            ++at;
        }
        return npos;
    }
    const char first = asciiLower(needle[0]);
    const char firstUpper = static_cast<char>(first - 32);
    const std::string_view rest = needle.substr(1);
    // Next position of each letter case of the first byte; each cached position is searched again
    // only once it has been passed.
    auto nextOf = [&](char c, std::size_t at) -> std::size_t {
        const void* hit = std::memchr(base + at, c, last - at + 1);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : npos;
    };
    std::size_t nextLower = nextOf(first, from);
    std::size_t nextUpper = nextOf(firstUpper, from);
    while (nextLower != npos || nextUpper != npos) {
        const std::size_t at = nextLower < nextUpper ? nextLower : nextUpper;
        if (equalsNoCase(haystack.substr(at + 1, rest.size()), rest))
            return at;
        if (at == last)
            return npos;
        if (at == nextLower)
            nextLower = nextOf(first, at + 1);
        else
            nextUpper = nextOf(firstUpper, at + 1);
    }
    return npos;
}

namespace
{

template <typename Find>
std::string replaceWith(std::string_view text, std::string_view from, std::string_view to,
                        Find find)
{
    if (from.empty())
        return std::string(text);
    std::string result;
    std::size_t start = 0;
    for (std::size_t at = find(text, from, 0); at != npos; at = find(text, from, start)) {
        result.append(text, start, at - start);
        result.append(to);
        start = at + from.size();
    }
    result.append(text, start);
    return result;
}

} // namespace

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    return replaceWith(text, from, to, [](std::string_view t, std::string_view f, std::size_t s) {
        return t.find(f, s);
    });
}

std::string replaceAllNoCase(std::string_view text, std::string_view from, std::string_view to)
{
    return replaceWith(text, from, to, [](std::string_view t, std::string_view f, std::size_t s) {
        return findNoCase(t, f, s);
    });
}

} // namespace varrow
