#include "fuzz/capture/PageSafety.h"

#include "extract/UrlSchemes.h"

#include <array>
#include <string_view>

namespace varrow::fuzz
{

namespace
{

constexpr std::array<std::string_view, 2> kPlainTags{"<BR>", "</a>"};
constexpr std::array<std::string_view, 2> kTagsWithAddress{"<a href='", "<img src='"};

// The length of our own tag at `at`, or 0 when the "<" there opens anything else.
std::size_t ownTagLength(std::string_view page, std::size_t at)
{
    const std::string_view rest = page.substr(at);
    for (const std::string_view tag : kPlainTags)
        if (rest.starts_with(tag))
            return tag.size();
    for (const std::string_view tag : kTagsWithAddress) {
        if (!rest.starts_with(tag))
            continue;
        const std::size_t valueEnd = rest.find('\'', tag.size());
        if (valueEnd == std::string_view::npos || valueEnd + 1 >= rest.size() ||
            rest[valueEnd + 1] != '>' ||
            isScriptAddress(rest.substr(tag.size(), valueEnd - tag.size())))
            return 0;
        return valueEnd + 2;
    }
    return 0;
}

} // namespace

std::size_t findForeignMarkup(std::string_view page)
{
    for (std::size_t at = page.find('<'); at != std::string_view::npos; at = page.find('<', at)) {
        const std::size_t length = ownTagLength(page, at);
        if (length == 0)
            return at;
        at += length;
    }
    return std::string_view::npos;
}

} // namespace varrow::fuzz
