// Version information kept as text in a section of the ELF executable (see VersionText.h). The
// build adds the section after linking, so editing it in a built file changes what is read.
#include "platform/versioninfo/ElfSection.h"
#include "platform/versioninfo/VersionInfo.h"
#include "platform/versioninfo/VersionText.h"

#include <fstream>
#include <system_error>

namespace varrow
{
namespace
{

constexpr std::string_view kVersionSection = ".varrow_version";
constexpr std::size_t kMaxVersionTextSize = 64 * 1024;
const char* const kOwnExecutable = "/proc/self/exe";

} // namespace

VersionInfo readVersionInfo(const std::filesystem::path& executable)
{
    std::ifstream file(executable, std::ios::binary);
    if (!file)
        return {};
    const std::optional<std::string> text =
        readElfSection(file, kVersionSection, kMaxVersionTextSize);
    return text ? parseVersionText(*text) : VersionInfo{};
}

std::filesystem::path runningExecutablePath()
{
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink(kOwnExecutable, error);
    return error ? std::filesystem::path() : path;
}

VersionInfo readOwnVersionInfo()
{
    // The kernel's link opens the running file itself, even when it has since been renamed,
    // replaced or deleted.
    return readVersionInfo(kOwnExecutable);
}

} // namespace varrow
