#pragma once

#include <string>
#include <string_view>

namespace varrow
{

// The part of `path` after its last separator; the whole path when it has none.
std::string FileNameOf(std::string_view path);

// True when `path` names an existing ordinary file that is not hidden, whatever the letter case
// of its name; false otherwise and on any error.
bool FileExists(std::string_view path);

} // namespace varrow
