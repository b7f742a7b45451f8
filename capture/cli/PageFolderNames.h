#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// The folder that each page of a list is captured into, under the output directory.
namespace varrow
{

// The folder name for a page at `address`: the address without its scheme ("http://",
// "https://", "file://"), made safe as a picture's file name is (safeFileName).
std::string pageFolderName(const std::string& address);

// A folder for each of `addresses`, in order: pageFolderName, or, when an earlier address, or
// another address in `taken` (address to folder, from an earlier run), has that name (letter case
// ignored, as some file systems ignore it), the first free "name (2)", "name (3)", ... An address
// that `taken` names keeps its folder. No two addresses share a folder.
std::vector<std::string> assignPageFolders(const std::vector<std::string>& addresses,
                                           const std::map<std::string, std::string>& taken);

} // namespace varrow
