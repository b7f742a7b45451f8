#include "shell/ProgramDirectory.h"

#include <system_error>

namespace varrow
{

std::filesystem::path findProgramDirectory(const std::filesystem::path& executableDirectory)
{
    std::error_code ignored;
    if (std::filesystem::is_regular_file(executableDirectory / kHelpFileName, ignored))
        return executableDirectory;
    const std::filesystem::path installed = executableDirectory.parent_path() / "share" / "varrow";
    if (std::filesystem::is_regular_file(installed / kHelpFileName, ignored))
        return installed;
    return executableDirectory;
}

} // namespace varrow
