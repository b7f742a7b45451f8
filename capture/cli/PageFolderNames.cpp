#include "capture/cli/PageFolderNames.h"

#include "capture/PictureFileNames.h"

#include <algorithm>
#include <string_view>

namespace varrow
{
namespace
{

std::string foldedCase(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c; });
    return name;
}

} // namespace

std::string pageFolderName(const std::string& address)
{
    std::string_view rest = address;
    for (const std::string_view scheme : {"http://", "https://", "file://"}) {
        if (rest.substr(0, scheme.size()) == scheme) {
            rest.remove_prefix(scheme.size());
            break;
        }
    }
    return safeFileName(rest);
}

std::vector<std::string> assignPageFolders(const std::vector<std::string>& addresses,
                                           const std::map<std::string, std::string>& taken)
{
    std::set<std::string> used;
    for (const auto& [address, folder] : taken)
        used.insert(foldedCase(folder));
    std::vector<std::string> folders;
    folders.reserve(addresses.size());
    for (const std::string& address : addresses) {
        if (const auto earlier = taken.find(address); earlier != taken.end()) {
            folders.push_back(earlier->second);
            continue;
        }
        const std::string name = pageFolderName(address);
        // Each address takes at most one name, so a free one comes before the list runs out.
        std::string candidate = name;
        for (int number = 2; used.count(foldedCase(candidate)) != 0; ++number)
            candidate = numberedFileName(name, number);
        used.insert(foldedCase(candidate));
        folders.push_back(std::move(candidate));
    }
    return folders;
}

} // namespace varrow
