#include "capture/SourcePage.h"

#include "capture/LinkSubstitution.h"
#include "capture/SafeMarkup.h"

namespace varrow
{

namespace
{

std::string escapedMarkup(std::string_view markup)
{
    std::string escaped;
    escaped.reserve(markup.size() + markup.size() / 8);
    for (const char c : markup) {
        if (c == '<')
            escaped += "&lt;";
        else if (c == '\r' || c == '\n')
            escaped += "<BR>";
        else
            escaped += c;
    }
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
            passes.push_back({names[i], anchorFor(addresses[i], names[i])});
    }
    return SubstituteSequentially(escapedMarkup(markup), passes);
}

} // namespace varrow
