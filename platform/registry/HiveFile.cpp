#include "platform/registry/HiveFile.h"

#include "platform/registry/FailureNote.h"
#include "platform/registry/HiveText.h"
#include "platform/textfile/TemporaryFile.h"
#include "platform/textfile/TextFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varrow::registry
{

namespace
{

constexpr mode_t kLockFileMode = 0600;

Status statusForError(int error)
{
    return error == EACCES || error == EPERM || error == EROFS ? kAccessDenied : kRegistryIoFailed;
}

Status noteSystemFailure(Status status, const std::filesystem::path& path, int error)
{
    return noteFailure(status, path.string() + ": " + std::strerror(error));
}

Status noteWriteFailure(const std::filesystem::path& path, int error)
{
    return noteSystemFailure(statusForError(error), path, error);
}

// A file descriptor that is closed when it goes out of scope, which also releases its lock.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Reads the whole file; false with errno set when it cannot be read.
bool readAll(int fd, std::string& text)
{
    char buffer[8192];
    while (true) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0)
            return true;
        text.append(buffer, static_cast<std::size_t>(count));
    }
}

bool lockExclusively(int fd)
{
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// Makes the rename itself durable. The change is already in place and visible when this fails,
// so a failure here is not reported as a failed change.
void flushDirectory(const std::filesystem::path& directory)
{
    FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.isOpen())
        ::fsync(fd.get());
}

} // namespace

HiveFile::HiveFile(std::filesystem::path directory, std::string_view rootName)
    : m_directory(std::move(directory)), m_rootName(rootName),
      m_path(m_directory / (m_rootName + ".reg"))
{
}

Status HiveFile::read(Hive& hive) const
{
    FileDescriptor fd(::open(m_path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.isOpen()) {
        if (errno == ENOENT || errno == ENOTDIR)
            return kSuccess;
        return noteSystemFailure(kRegistryCorrupt, m_path, errno);
    }
    std::string text;
    if (!readAll(fd.get(), text))
        return noteSystemFailure(kRegistryCorrupt, m_path, errno);
    HiveTextError error;
    if (!parseHiveText(text, m_rootName, hive, error))
        return noteFailure(kRegistryCorrupt, m_path.string() + ": line " +
                                                 std::to_string(error.line) + ": " + error.reason);
    return kSuccess;
}

Status HiveFile::change(const Change& change) const
{
    if (m_directory.empty())
        return noteFailure(kRegistryIoFailed, "no home directory to keep the registry store in");
    std::error_code error;
    std::filesystem::create_directories(m_directory, error);
    if (error)
        return noteFailure(statusForError(error.value()),
                           m_directory.string() + ": " + error.message());

    const std::filesystem::path lockPath = m_directory / (m_rootName + ".lock");
    FileDescriptor lock(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kLockFileMode));
    if (!lock.isOpen() || !lockExclusively(lock.get()))
        return noteWriteFailure(lockPath, errno);

    Hive hive;
    if (const Status status = read(hive); status != kSuccess)
        return status;
    bool changed = false;
    if (const Status status = change(hive, changed); status != kSuccess || !changed)
        return status;
    return write(hive);
}

Status HiveFile::write(const Hive& hive) const
{
    struct stat existing {
    };
    const bool exists = ::stat(m_path.c_str(), &existing) == 0;
    // Renaming would replace even a file that we may not write; refuse it as its owner meant.
    if (exists && ::access(m_path.c_str(), W_OK) != 0)
        return noteWriteFailure(m_path, errno);

    try {
        TemporaryFile temporary(m_path);
        if (exists && ::fchmod(temporary.descriptor(), existing.st_mode & 07777) != 0)
            return noteWriteFailure(m_path, errno);
        temporary.write(formatHiveText(hive, m_rootName));
        if (::fsync(temporary.descriptor()) != 0)
            return noteWriteFailure(m_path, errno);
        temporary.replaceTarget();
    } catch (const FileError& error) {
        return noteFailure(kRegistryIoFailed, error.what());
    }
    flushDirectory(m_directory);
    return kSuccess;
}

} // namespace varrow::registry
