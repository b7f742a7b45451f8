#pragma once

#include <array>
#include <string>
#include <vector>

namespace varrow
{

// The four lists that carry a capture's findings from the scanners to the page writers. Index
// kLinkedImages holds the images the page links to, kEmbeddedImages those it shows. In each index,
// entry i of frmList is the file name of the address in entry i of Links; names are unique within
// an index.
struct ImageLists {
    static constexpr std::size_t kLinkedImages = 0;
    static constexpr std::size_t kEmbeddedImages = 1;

    std::array<std::vector<std::string>, 2> frmList;
    std::array<std::vector<std::string>, 2> Links;

    // Empties the lists in the capture's order: Links(0), frmList(0), Links(1), frmList(1).
    void clear()
    {
        for (std::size_t k = 0; k < 2; ++k) {
            Links[k].clear();
            frmList[k].clear();
        }
    }

    bool operator==(const ImageLists&) const = default;
};

} // namespace varrow
