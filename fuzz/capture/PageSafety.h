#pragma once

#include <cstddef>
#include <string_view>

namespace varrow::fuzz
{

// The position of the first "<" in a generated page that does not open one of the tags the page
// writers put there themselves: "<BR>", "</a>", and "<a href='V'>" and "<img src='V'>" whose
// value V holds no "'" and is no script address. npos when there is none, that is when no
// page-supplied text has become markup.
std::size_t findForeignMarkup(std::string_view page);

} // namespace varrow::fuzz
