#include "platform/textfile/TemporaryFile.h"

#include "platform/textfile/RenameWithoutReplacing.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace varrow
{
namespace
{

// A name taken by chance is tried again under another; a folder where every try fails is full of
// our files or refuses them, and saying so beats looping.
constexpr int kNameTries = 100;
constexpr std::size_t kRandomLetters = 16;
// One write call of the Windows runtime takes at most this many bytes.
constexpr std::size_t kLargestWrite = std::size_t{1} << 30;

} // namespace

std::string unguessableLetters()
{
    static constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string letters(kRandomLetters, ' ');
    for (char& letter : letters)
        letter = kAlphabet[pick(device)];
    return letters;
}

namespace
{

// Opens a new file for writing; fails when anything has the name already, a link included.
int createExclusively(const std::filesystem::path& path)
{
#ifdef _WIN32
    int descriptor = -1;
    errno = _wsopen_s(&descriptor, path.c_str(),
                      _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
                      _S_IREAD | _S_IWRITE);
    return descriptor;
#else
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
#endif
}

long writeSome(int descriptor, const char* bytes, std::size_t count)
{
#ifdef _WIN32
    return _write(descriptor, bytes, static_cast<unsigned>(std::min(count, kLargestWrite)));
#else
    return static_cast<long>(::write(descriptor, bytes, std::min(count, kLargestWrite)));
#endif
}

int closeDescriptor(int descriptor)
{
#ifdef _WIN32
    return _close(descriptor);
#else
    return ::close(descriptor);
#endif
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef _WIN32
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw FileError(to, std::system_category().message(static_cast<int>(GetLastError())));
#else
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw FileError(to, std::strerror(errno));
#endif
}

} // namespace

TemporaryFile::TemporaryFile(const std::filesystem::path& target) : m_target(target)
{
    const std::string prefix = "." + target.filename().string() + ".";
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        m_path = target.parent_path() / (prefix + unguessableLetters() + ".tmp");
        m_descriptor = createExclusively(m_path);
        if (m_descriptor >= 0)
            return;
        if (errno != EEXIST)
            break;
    }
    const std::string reason = std::strerror(errno);
    m_path.clear();
    throw FileError(target, reason);
}

TemporaryFile::~TemporaryFile()
{
    if (m_path.empty())
        return;
    close();
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

void TemporaryFile::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const long written = writeSome(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw FileError(m_target, written < 0 ? std::strerror(errno) : "nothing was written");
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void TemporaryFile::replaceTarget()
{
    finish();
    replaceFile(m_path, m_target);
    m_path.clear();
}

bool TemporaryFile::takeFreeTarget()
{
    finish();
    std::error_code error;
    switch (renameWithoutReplacing(m_path, m_target, error)) {
    case RenameOutcome::Renamed:
        m_path.clear();
        return true;
    case RenameOutcome::Taken:
        return false;
    case RenameOutcome::Failed:
        break;
    }
    throw FileError(m_target, error.message());
}

void TemporaryFile::finish()
{
    // A failure that only the close reports leaves the file short as well.
    const int closed = closeDescriptor(m_descriptor);
    m_descriptor = -1;
    if (closed != 0)
        throw FileError(m_target, std::strerror(errno));
}

void TemporaryFile::close()
{
    if (m_descriptor >= 0)
        closeDescriptor(m_descriptor);
    m_descriptor = -1;
}

} // namespace varrow
