#pragma once

#include "extract/ImageLists.h"

#include <string>
#include <string_view>

namespace varrow
{

// How much longer than the escaped markup the links may make the source page. Real pages grow by
// a fifth at most, but as names are linked inside the addresses of earlier links too, a small
// page can make the text grow geometrically, far beyond what the view could show.
inline constexpr std::size_t kMostAddedByLinks = std::size_t{16} << 20;

// The readable copy of the markup shown in the Source Code tab: every "<" escaped, every CR and
// every LF a "<BR>", then each listed file name, index 0 first and then index 1, in list order,
// replaced by a link to its address wherever it occurs. A replacement that would make the links
// add more than `mostAddedByLinks` in all is left out, as one that fails.
std::string BuildSourcePage(std::string_view markup, const ImageLists& lists,
                            std::size_t mostAddedByLinks = kMostAddedByLinks);

} // namespace varrow
