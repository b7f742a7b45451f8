#pragma once

#include <string>
#include <string_view>

// Two text functions that take web addresses apart. They know no scheme but the literal
// "http://" and never parse, look up or fetch anything.
namespace varrow
{

// The address of the directory one level above `address`: "http://host/dir/page.htm" gives
// "http://host/dir/". Every lower-case "http://" is removed first and one "http://" put back in
// front; an address at the root of a host, "http://host/", gives "host/" without the scheme, and
// the empty address gives "/". Any length works.
std::string GetParentDir(std::string_view address);

// Where the Up Dir command goes from `address`: for "scheme://host/..." of any scheme the
// directory one level up, without the query or fragment, never above the "scheme://host/" root,
// which stays where it is; any other text gives GetParentDir of it.
std::string UpDirAddress(std::string_view address);

// The last path segment of a reference, the key under which a found image is listed:
// "http://host/dir/a.gif" gives "a.gif", "dir/" gives "". Every " border=" (any letter case) and
// every double quote is removed from the result.
std::string GetFileName(std::string_view reference);

} // namespace varrow
