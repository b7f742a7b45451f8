#include "shell/ProgramDirectory.h"

#include <system_error>

namespace varrow
{

std::filesystem::path findProgramDirectory(const std::filesystem::path& executableDirectory)
{
    // The help file marks the folder of the program's files.
    constexpr const char* kMarker = "Help.rtf";
    std::error_code ignored;
    if (std::filesystem::is_regular_file(executableDirectory / kMarker, ignored))
        return executableDirectory;
    const std::filesystem::path installed = executableDirectory.parent_path() / "share" / "varrow";
    if (std::filesystem::is_regular_file(installed / kMarker, ignored))
        return installed;
    return executableDirectory;
}

} // namespace varrow
