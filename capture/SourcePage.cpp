#include "capture/SourcePage.h"

#include <array>
#include <limits>

namespace varrow
{

namespace
{

// The bytes that the source page writes differently.
const EscapedText::Replacements kMarkupEscapes = [] {
    EscapedText::Replacements replacements{};
    replacements['<'] = "&lt;";
    replacements['\r'] = "<BR>";
    replacements['\n'] = "<BR>";
    return replacements;
}();

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
    passes.reserve(lists[0].size() + lists[1].size());
    for (std::size_t kind : {ImageLists::kLinkedImages, ImageLists::kEmbeddedImages})
        for (const FoundImage& image : lists[kind])
            passes.push_back({image.name, image.address});
    return SubstitutedText(EscapedText(markup, kMarkupEscapes), passes,
                           [&](std::size_t length) { return bound.maxLength(length); });
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
