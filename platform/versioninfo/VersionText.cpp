#include "platform/versioninfo/VersionText.h"

#include <charconv>
#include <vector>

namespace varrow
{
namespace
{

constexpr std::size_t kMaxVersionParts = 4;
constexpr int kMaxVersionPart = 65535; // each part is a 16-bit number on Windows

// The parts of a dotted version, or nothing when the text is not one to four decimal numbers.
std::vector<int> versionParts(std::string_view text)
{
    std::vector<int> parts;
    while (true) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        int number = 0;
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), number);
        if (part.empty() || error != std::errc() || end != part.data() + part.size() ||
            number < 0 || number > kMaxVersionPart || parts.size() == kMaxVersionParts)
            return {};
        parts.push_back(number);
        if (dot == std::string_view::npos)
            return parts;
        text.remove_prefix(dot + 1);
    }
}

void assignField(VersionInfo& info, std::string_view key, std::string_view value)
{
    if (key == "ProductName") {
        info.productName = value;
    } else if (key == "CompanyName") {
        info.companyName = value;
    } else if (key == "Comments") {
        info.comments = value;
    } else if (key == "FileVersion") {
        const std::vector<int> parts = versionParts(value);
        info.major = parts.empty() ? 0 : parts[0];
        info.minor = parts.size() < 2 ? 0 : parts[1];
    }
}

} // namespace

VersionInfo parseVersionText(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    VersionInfo info;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text.remove_prefix(lf == std::string_view::npos ? text.size() : lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            assignField(info, line.substr(0, equals), line.substr(equals + 1));
    }
    return info;
}

} // namespace varrow
