#pragma once

#include "capture/LinkSubstitution.h"
#include "extract/ImageLists.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace varrow
{

// How long the links may make the source page: at most `timesMarkup` times the escaped markup
// plus `allowance` bytes. As names are linked inside the addresses of earlier links too, a small
// page can make the text grow geometrically, far beyond what the view could show.
struct SourcePageBound {
    std::size_t timesMarkup;
    std::size_t allowance;

    // The longest source page for an escaped markup of `length` bytes.
    std::size_t maxLength(std::size_t length) const;
};

// The source pages of real pages are at most 1.4 times their escaped markup, that of a generated
// listing of 40,000 image files 1.7 times: the multiple leaves room beyond both, and keeps the
// page small enough for the Source Code view to show. The allowance keeps small pages from being
// cut short, while a small page that multiplies itself stops at about 16 MiB.
inline constexpr SourcePageBound kSourcePageBound{3, std::size_t{16} << 20};

// The readable copy of the markup shown in the Source Code tab: every "<" escaped, every CR and
// every LF a "<BR>", then each listed file name, index 0 first and then index 1, in list order,
// replaced by a link to its address wherever it occurs. A replacement that would make the page
// longer than `bound` allows is left out, as one that fails. The page is kept in pieces that view
// `markup`, which must outlive it, so that neither the page nor the escaped markup is ever held
// whole in memory.
class SourcePage
{
public:
    SourcePage(std::string_view markup, const ImageLists& lists,
               const SourcePageBound& bound = kSourcePageBound);

    // Writes the page as writeTextFile does (FileError).
    void write(const std::filesystem::path& path) const;

    std::string text() const { return m_page.text(); }

private:
    SubstitutedText m_page;
};

// The source page's text.
std::string BuildSourcePage(std::string_view markup, const ImageLists& lists,
                            const SourcePageBound& bound = kSourcePageBound);

} // namespace varrow
