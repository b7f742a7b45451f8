#include "extract/AddressFunctions.h"

#include "extract/TextSearch.h"

#include <algorithm>

namespace varrow
{

namespace
{
constexpr std::string_view kHttp = "http://";
}

std::string GetParentDir(std::string_view address)
{
    std::string s(address);
    // The test ignores letter case but the removal does not: "HTTP://host" keeps its prefix.
    const bool hadScheme = containsNoCase(s, kHttp);
    if (hadScheme)
        s = replaceAll(s, kHttp, "");
    if (!s.empty() && s.back() == '/')
        s.pop_back();
    const std::size_t lastSlash = s.rfind('/');
    std::string parent =
        lastSlash == std::string::npos ? std::string() : s.substr(0, lastSlash + 1);
    if (hadScheme)
        parent.insert(0, kHttp);
    if (!parent.empty() && parent != kHttp)
        return parent;
    return s + "/";
}

std::string UpDirAddress(std::string_view address)
{
    const std::size_t schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos)
        return GetParentDir(address);
    const std::size_t hostStart = schemeEnd + 3;
    const std::string_view path = address.substr(0, address.find_first_of("?#", hostStart));
    const std::size_t rootEnd = std::min(path.find('/', hostStart), path.size());
    std::string parent(path.substr(0, rootEnd));
    parent += '/';
    if (path.size() > rootEnd + 1) {
        const std::string_view below = path.substr(0, path.size() - 1);
        parent = std::string(below.substr(0, below.rfind('/') + 1));
    }
    return parent;
}

std::string GetFileName(std::string_view reference)
{
    std::string s(reference);
    if (containsNoCase(s, kHttp))
        s = replaceAllNoCase(s, kHttp, "");
    const std::size_t lastSlash = s.rfind('/');
    if (lastSlash != std::string::npos)
        s.erase(0, lastSlash + 1);
    if (containsNoCase(s, " border="))
        s = replaceAllNoCase(s, " border=", "");
    std::erase(s, '"');
    return s;
}

} // namespace varrow
