#include "extract/TextSearch.h"

#include "extract/ByteLanes.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace varrow
{

namespace
{

bool isAsciiLetter(char c)
{
    const char lower = asciiLower(c);
    return lower >= 'a' && lower <= 'z';
}

// Looks for `needle` at the places from `at` up to `last`, sixteen at a time: a place is looked at
// closer only where the needle's two bytes from `pair` on stand. Returns the first place where the
// needle stands; else npos, with `at` past `last` when no place is left, or at the first place not
// looked at when the haystack holds too few bytes for sixteen more.
std::size_t findByPair(std::string_view haystack, std::string_view needle, std::size_t pair,
                       std::size_t last, std::size_t& at)
{
    const ByteLanes first = lanesOf(static_cast<unsigned char>(needle[pair] | kAsciiCaseBit));
    const ByteLanes second = lanesOf(static_cast<unsigned char>(needle[pair + 1] | kAsciiCaseBit));
    for (; at <= last && at + pair + 1 + sizeof(ByteLanes) <= haystack.size();
         at += sizeof(ByteLanes)) {
        const ByteLanes firsts = loadLanes(haystack.data() + at + pair);
        const ByteLanes seconds = loadLanes(haystack.data() + at + pair + 1);
        for (std::uint32_t standing = trueLanes(((firsts | kAsciiCaseBit) == first) &
                                                ((seconds | kAsciiCaseBit) == second));
             standing != 0; standing &= standing - 1) {
            const std::size_t place = at + static_cast<std::size_t>(std::countr_zero(standing));
            if (place > last) {
                at = place;
                return npos;
            }
            if (equalsNoCase(haystack.substr(place, needle.size()), needle))
                return place;
        }
    }
    return npos;
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
    // The searches look first for a byte of the needle that has one case only, when there is
    // one, so that one search suffices; the occurrence starts that far before.
    const std::size_t anchor = static_cast<std::size_t>(
        std::find_if_not(needle.begin(), needle.end(), isAsciiLetter) - needle.begin());
    std::size_t at = from;
    if constexpr (std::endian::native == std::endian::little) {
        if (needle.size() >= 2) {
            // Two bytes, from that one on or up to it, sixteen places at a time; what is left,
            // with memchr.
            const std::size_t pair = anchor + 1 < needle.size() ? anchor
                                     : anchor < needle.size()   ? anchor - 1
                                                                : 0;
            const std::size_t found = findByPair(haystack, needle, pair, last, at);
            if (found != npos || at > last)
                return found;
        }
    }
    if (anchor < needle.size()) {
        while (at <= last) {
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
    auto nextOf = [&](char c, std::size_t position) -> std::size_t {
        const void* hit = std::memchr(base + position, c, last - position + 1);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : npos;
    };
    std::size_t nextLower = nextOf(first, at);
    std::size_t nextUpper = nextOf(firstUpper, at);
    while (nextLower != npos || nextUpper != npos) {
        const std::size_t place = nextLower < nextUpper ? nextLower : nextUpper;
        if (equalsNoCase(haystack.substr(place + 1, rest.size()), rest))
            return place;
        if (place == last)
            return npos;
        if (place == nextLower)
            nextLower = nextOf(first, place + 1);
        else
            nextUpper = nextOf(firstUpper, place + 1);
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
