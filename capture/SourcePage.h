#pragma once

#include "extract/ImageLists.h"

#include <string>
#include <string_view>

namespace varrow
{

// The readable copy of the markup shown in the Source Code tab: every "<" escaped, every CR and
// every LF a "<BR>", then each listed file name, index 0 first and then index 1, in list order,
// replaced by a link to its address wherever it occurs.
std::string BuildSourcePage(std::string_view markup, const ImageLists& lists);

} // namespace varrow
