#include "shell/WorkingDirectory.h"

#include "platform/textfile/TextFile.h"

namespace varrow
{
namespace
{

bool canWriteIn(const std::filesystem::path& directory)
{
    const std::filesystem::path probe = directory / ".varrow-write-probe";
    try {
        writeTextFile(probe, "");
    } catch (const FileError&) {
        return false;
    }
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return true;
}

} // namespace

std::filesystem::path chooseWorkingDirectory(const std::filesystem::path& programDirectory,
                                             const std::filesystem::path& perUserDirectory)
{
    if (!programDirectory.empty() && canWriteIn(programDirectory))
        return programDirectory;
    std::error_code ignored;
    std::filesystem::create_directories(perUserDirectory, ignored);
    return perUserDirectory;
}

} // namespace varrow
