#include "platform/textfile/RenameWithoutReplacing.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace varrow
{

#ifdef _WIN32

RenameOutcome renameWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to, std::error_code& error)
{
    error.clear();
    // Without MOVEFILE_REPLACE_EXISTING the move refuses an existing target.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH))
        return RenameOutcome::Renamed;
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
        return RenameOutcome::Taken;
    error.assign(static_cast<int>(code), std::system_category());
    return RenameOutcome::Failed;
}

#else

namespace
{

RenameOutcome failure(std::error_code& error)
{
    if (errno == EEXIST)
        return RenameOutcome::Taken;
    error.assign(errno, std::generic_category());
    return RenameOutcome::Failed;
}

// The file system (or the kernel) has no rename without replacing.
bool noRenameStep(int code)
{
    return code == EINVAL || code == ENOSYS || code == EOPNOTSUPP;
}

// The file system has no hard links (FAT answers EPERM).
bool noLinkStep(int code)
{
    return code == EPERM || code == ENOSYS || code == EOPNOTSUPP;
}

} // namespace

RenameOutcome renameWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to, std::error_code& error)
{
    error.clear();
#ifdef RENAME_NOREPLACE
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return RenameOutcome::Renamed;
    if (!noRenameStep(errno))
        return failure(error);
#endif
    // A hard link is refused when the name exists; the old name then goes.
    if (link(from.c_str(), to.c_str()) == 0) {
        unlink(from.c_str());
        return RenameOutcome::Renamed;
    }
    if (!noLinkStep(errno))
        return failure(error);
    const int reserved = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (reserved < 0)
        return failure(error);
    close(reserved);
    if (std::rename(from.c_str(), to.c_str()) == 0)
        return RenameOutcome::Renamed;
    const int code = errno;
    unlink(to.c_str());
    error.assign(code, std::generic_category());
    return RenameOutcome::Failed;
}

#endif

} // namespace varrow
