#pragma once

#include "extract/ImageLists.h"

#include <string>
#include <vector>

namespace varrow::testing
{

// The names, or the addresses, of a list in its order, for comparing with expected values.
inline std::vector<std::string> namesOf(const ImageList& list)
{
    std::vector<std::string> names;
    for (const FoundImage& image : list)
        names.push_back(image.name);
    return names;
}

inline std::vector<std::string> addressesOf(const ImageList& list)
{
    std::vector<std::string> addresses;
    for (const FoundImage& image : list)
        addresses.push_back(image.address);
    return addresses;
}

} // namespace varrow::testing
