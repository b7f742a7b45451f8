#include "platform/textfile/TextFile.h"

#include "platform/textfile/TemporaryFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace varrow
{

namespace
{

constexpr std::size_t kWriteBuffer = std::size_t{64} << 10;

std::string lastSystemError()
{
    return std::strerror(errno);
}

// On Windows the wide-character entry points take the path as it is; the narrow ones would read
// it in the system code page and miss every name beyond it.
bool mayWriteExisting(const std::filesystem::path& path)
{
#ifdef _WIN32
    return _waccess(path.c_str(), 2) == 0 || errno == ENOENT;
#else
    return access(path.c_str(), W_OK) == 0 || errno == ENOENT;
#endif
}

bool mayCreateIn(const std::filesystem::path& directory)
{
    const std::filesystem::path where = directory.empty() ? "." : directory;
#ifdef _WIN32
    std::error_code code;
    if (std::filesystem::is_directory(where, code))
        return true;
    errno = code ? code.value() : ENOTDIR;
    return false;
#else
    return access(where.c_str(), W_OK | X_OK) == 0;
#endif
}

// A file open for reading, closed when it goes.
class OpenFile
{
public:
    explicit OpenFile(const std::filesystem::path& path)
#ifdef _WIN32
        : m_file(_wfopen(path.c_str(), L"rb"))
#else
        : m_file(std::fopen(path.c_str(), "rb"))
#endif
    {
        // Unbuffered, each chunk is read straight into place.
        if (m_file)
            std::setvbuf(m_file, nullptr, _IONBF, 0);
    }
    ~OpenFile()
    {
        if (m_file)
            std::fclose(m_file);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    explicit operator bool() const
    {
        return m_file != nullptr;
    }
    std::FILE* get() const
    {
        return m_file;
    }

private:
    std::FILE* m_file;
};

constexpr std::size_t kReadChunk = std::size_t{64} << 10;

std::string tooLarge(std::size_t maxBytes)
{
    return "larger than the limit of " + std::to_string(maxBytes) + " bytes";
}

// The checks of checkTextFileWritable on the target itself.
void checkTarget(const std::filesystem::path& path)
{
    if (!mayWriteExisting(path))
        throw FileError(path, lastSystemError());
    std::error_code code;
    if (std::filesystem::is_directory(path, code))
        throw FileError(path, std::strerror(EISDIR));
}

} // namespace

FileError::FileError(std::filesystem::path path, std::string reason)
    : std::runtime_error(path.string() + ": " + reason), m_path(std::move(path)),
      m_reason(std::move(reason))
{
}

std::filesystem::path pathFromUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string readTextFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::error_code code;
    if (std::filesystem::is_directory(path, code))
        throw FileError(path, std::strerror(EISDIR));
    const OpenFile file(path);
    if (!file)
        throw FileError(path, lastSystemError());
    // A regular file's size gives the room at once; a pipe or a device is read as it comes.
    const std::uintmax_t size = std::filesystem::file_size(path, code);
    if (!code && size > maxBytes)
        throw FileError(path, tooLarge(maxBytes));
    std::string contents;
    if (!code)
        contents.reserve(static_cast<std::size_t>(size));
    char chunk[kReadChunk];
    for (;;) {
        const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.get());
        if (count > maxBytes - contents.size())
            throw FileError(path, tooLarge(maxBytes));
        contents.append(chunk, count);
        if (count < sizeof chunk)
            break;
    }
    if (std::ferror(file.get()))
        throw FileError(path, lastSystemError());
    return contents;
}

void checkTextFileWritable(const std::filesystem::path& path)
{
    checkTarget(path);
    if (!mayCreateIn(path.parent_path()))
        throw FileError(path, lastSystemError());
}

bool fileHoldsText(const std::filesystem::path& path, std::string_view text)
{
    // A file of another size is never opened; one of the same size holds the text when its
    // bytes do.
    std::error_code code;
    if (std::filesystem::file_size(path, code) != text.size() + 2 || code)
        return false;
    const OpenFile file(path);
    if (!file)
        return false;
    char chunk[4096];
    bool same = true;
    for (std::size_t at = 0; same && at < text.size();) {
        const std::size_t wanted = std::min(sizeof chunk, text.size() - at);
        same = std::fread(chunk, 1, wanted, file.get()) == wanted &&
               text.substr(at, wanted) == std::string_view(chunk, wanted);
        at += wanted;
    }
    same = same && std::fread(chunk, 1, 2, file.get()) == 2 && chunk[0] == '\r' && chunk[1] == '\n';
    return same;
}

void writeTextFile(const std::filesystem::path& path, std::string_view text)
{
    writeTextFileInPieces(path, [&](const TextPieceSink& sink) { sink(text); });
}

bool createTextFile(const std::filesystem::path& path, std::string_view text)
{
    TemporaryFile temporary(path);
    temporary.write(text);
    temporary.write("\r\n");
    return temporary.takeFreeTarget();
}

void writeTextFileInPieces(const std::filesystem::path& path,
                           const std::function<void(const TextPieceSink&)>& produce)
{
    // The creation of the temporary file fails as the check of the directory would.
    checkTarget(path);
    TemporaryFile temporary(path);
    // A text handed over in many small pieces is gathered here and reaches the file in large
    // writes.
    std::string gathered;
    gathered.reserve(kWriteBuffer);
    auto writeGathered = [&] {
        temporary.write(gathered);
        gathered.clear();
    };
    produce([&](std::string_view piece) {
        if (gathered.size() + piece.size() > kWriteBuffer)
            writeGathered();
        if (piece.size() >= kWriteBuffer)
            temporary.write(piece);
        else
            gathered.append(piece);
    });
    gathered.append("\r\n");
    writeGathered();
    temporary.replaceTarget();
}

} // namespace varrow
