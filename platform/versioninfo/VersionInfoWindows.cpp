// Version information from the executable's VERSIONINFO resource, through the ANSI entry points
// of the version library: the strings of the first translation, and the file version of the fixed
// part.
#include "platform/versioninfo/VersionInfo.h"

#include <cstdio>
#include <cstring>
#include <vector>
#include <windows.h>

namespace varrow
{
namespace
{

constexpr DWORD kFixedInfoSignature = 0xFEEF04BD;
constexpr DWORD kLongestPath = 32768; // the longest path Windows can report, in characters

struct Translation {
    WORD language;
    WORD codePage;
};

// The path in the system code page, as the ANSI entry points expect it; empty when a character
// has no equivalent there.
std::string ansiPath(const std::filesystem::path& path)
{
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    BOOL lossy = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy)
        return {};
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::filesystem::path pathFromAnsi(const std::string& ansi)
{
    const int size =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
    return wide;
}

std::string queryString(const std::vector<char>& block, const std::string& subBlock)
{
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), subBlock.c_str(), &value, &length) || value == nullptr)
        return {};
    const char* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

} // namespace

VersionInfo readVersionInfo(const std::filesystem::path& executable)
{
    const std::string file = ansiPath(executable);
    DWORD ignored = 0;
    const DWORD size = file.empty() ? 0 : GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data()))
        return {};

    VersionInfo info;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", &value, &length) && value != nullptr &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        if (fixed->dwSignature == kFixedInfoSignature) {
            info.major = HIWORD(fixed->dwFileVersionMS);
            info.minor = LOWORD(fixed->dwFileVersionMS);
        }
    }
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) &&
        value != nullptr && length >= sizeof(Translation)) {
        const auto* first = static_cast<const Translation*>(value);
        char prefix[32];
        std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", first->language,
                      first->codePage);
        info.productName = queryString(block, std::string(prefix) + "ProductName");
        info.companyName = queryString(block, std::string(prefix) + "CompanyName");
        info.comments = queryString(block, std::string(prefix) + "Comments");
    }
    return info;
}

std::filesystem::path runningExecutablePath()
{
    // A result that fills the whole buffer may be cut short, so the buffer grows until it does not.
    for (DWORD capacity = MAX_PATH;; capacity *= 2) {
        std::string buffer(capacity, '\0');
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), capacity);
        if (length == 0)
            return {};
        if (length < capacity) {
            buffer.resize(length);
            return pathFromAnsi(buffer);
        }
        if (capacity >= kLongestPath)
            return {};
    }
}

VersionInfo readOwnVersionInfo()
{
    return readVersionInfo(runningExecutablePath());
}

} // namespace varrow
