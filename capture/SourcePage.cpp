#include "capture/SourcePage.h"

#include "capture/LinkSubstitution.h"

#include <algorithm>

namespace varrow
{

namespace
{

std::string escapedMarkup(std::string_view markup)
{
    constexpr std::string_view kLess = "&lt;";
    constexpr std::string_view kBreak = "<BR>";
    const auto longer = static_cast<std::size_t>(std::count_if(
        markup.begin(), markup.end(), [](char c) { return c == '<' || c == '\r' || c == '\n'; }));
    std::string escaped;
    escaped.reserve(markup.size() + longer * (kBreak.size() - 1));
    std::size_t start = 0;
    for (std::size_t at = markup.find_first_of("<\r\n"); at != std::string_view::npos;
         at = markup.find_first_of("<\r\n", start)) {
        escaped.append(markup.substr(start, at - start));
        escaped.append(markup[at] == '<' ? kLess : kBreak);
        start = at + 1;
    }
    escaped.append(markup.substr(start));
    return escaped;
}

} // namespace

std::string BuildSourcePage(std::string_view markup, const ImageLists& lists)
{
    std::vector<Substitution> passes;
    for (std::size_t k = 0; k < 2; ++k) {
        // The address list governs the count; a position without a name has nothing to replace.
        const auto& addresses = lists.Links[k];
        const auto& names = lists.frmList[k];
        for (std::size_t i = 0; i < addresses.size() && i < names.size(); ++i)
            passes.push_back({names[i], addresses[i]});
    }
    std::string page = escapedMarkup(markup);
    const std::size_t maxLength = page.size() + kMostAddedByLinks;
    return SubstituteSequentially(std::move(page), passes, maxLength);
}

} // namespace varrow
