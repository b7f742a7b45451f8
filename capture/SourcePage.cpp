#include "capture/SourcePage.h"

#include <array>
#include <limits>

namespace varrow
{

namespace
{

// The bytes that the source page writes differently, and how much longer each makes it.
constexpr std::array<std::size_t, 256> kEscapeGrowth = [] {
    std::array<std::size_t, 256> growth{};
    growth['<'] = 3;  // "&lt;"
    growth['\r'] = 3; // "<BR>"
    growth['\n'] = 3;
    return growth;
}();

std::string escapedMarkup(std::string_view markup)
{
    std::size_t length = markup.size();
    for (const char c : markup)
        length += kEscapeGrowth[static_cast<unsigned char>(c)];
    std::string escaped;
    escaped.reserve(length);
    std::size_t start = 0;
    for (std::size_t at = 0; at < markup.size(); ++at) {
        const char c = markup[at];
        if (kEscapeGrowth[static_cast<unsigned char>(c)] == 0)
            continue;
        escaped.append(markup.substr(start, at - start));
        escaped.append(c == '<' ? "&lt;" : "<BR>");
        start = at + 1;
    }
    escaped.append(markup.substr(start));
    return escaped;
}

} // namespace

std::size_t SourcePageBound::maxLength(std::size_t length) const
{
    constexpr std::size_t kLongest = std::numeric_limits<std::size_t>::max();
    if (timesMarkup != 0 && length > (kLongest - allowance) / timesMarkup)
        return kLongest;
    return length * timesMarkup + allowance;
}

namespace
{

SubstitutedText substitutedPage(std::string_view markup, const ImageLists& lists,
                                const SourcePageBound& bound)
{
    std::vector<Substitution> passes;
    passes.reserve(lists.Links[0].size() + lists.Links[1].size());
    for (std::size_t k = 0; k < 2; ++k) {
        // The address list governs the count; a position without a name has nothing to replace.
        const auto& addresses = lists.Links[k];
        const auto& names = lists.frmList[k];
        for (std::size_t i = 0; i < addresses.size() && i < names.size(); ++i)
            passes.push_back({names[i], addresses[i]});
    }
    std::string page = escapedMarkup(markup);
    const std::size_t maxLength = bound.maxLength(page.size());
    return SubstitutedText(std::move(page), passes, maxLength);
}

} // namespace

SourcePage::SourcePage(std::string_view markup, const ImageLists& lists,
                       const SourcePageBound& bound)
    : m_page(substitutedPage(markup, lists, bound))
{
}

void SourcePage::write(const std::filesystem::path& path) const
{
    writeTextFileInPieces(path, [&](const TextPieceSink& sink) { m_page.forEachPiece(sink); });
}

std::string BuildSourcePage(std::string_view markup, const ImageLists& lists,
                            const SourcePageBound& bound)
{
    return SourcePage(markup, lists, bound).text();
}

} // namespace varrow
