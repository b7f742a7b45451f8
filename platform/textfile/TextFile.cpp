#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <process.h>
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

int processId()
{
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

std::filesystem::path temporaryPathBeside(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    std::string name(".");
    name.append(target.filename().string())
        .append(".tmp-")
        .append(std::to_string(processId()))
        .append("-")
        .append(std::to_string(counter++));
    return target.parent_path() / name;
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

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef _WIN32
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw FileError(to, std::system_category().message(static_cast<int>(GetLastError())));
#else
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw FileError(to, lastSystemError());
#endif
}

std::uintmax_t largestReadableSize(const std::string& contents)
{
    return std::min<std::uintmax_t>(std::numeric_limits<std::streamsize>::max(),
                                    contents.max_size());
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

void removeQuietly(const std::filesystem::path& path)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
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

std::string readTextFile(const std::filesystem::path& path)
{
    std::error_code code;
    if (std::filesystem::is_directory(path, code))
        throw FileError(path, std::strerror(EISDIR));
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileError(path, lastSystemError());
    std::string contents;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size > 0) {
        // A 32-bit build cannot hold every file size in one string or one read call; cutting
        // the size down would return a part of the file as if it were all of it.
        if (static_cast<std::uintmax_t>(size) > largestReadableSize(contents))
            throw FileError(path, std::strerror(EFBIG));
        contents.resize(static_cast<std::size_t>(size));
        in.seekg(0);
        in.read(contents.data(), static_cast<std::streamsize>(size));
    } else {
        // Not seekable (a pipe or a device): read what comes.
        in.clear();
        contents.assign(std::istreambuf_iterator<char>(in), {});
    }
    if (in.bad())
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
    std::FILE* file = std::fopen(path.string().c_str(), "rb");
    if (!file)
        return false;
    // Unbuffered, each chunk is read straight into place, without a stream buffer sized from a
    // look at the file.
    std::setvbuf(file, nullptr, _IONBF, 0);
    char chunk[4096];
    bool same = true;
    for (std::size_t at = 0; same && at < text.size();) {
        const std::size_t wanted = std::min(sizeof chunk, text.size() - at);
        same = std::fread(chunk, 1, wanted, file) == wanted &&
               text.substr(at, wanted) == std::string_view(chunk, wanted);
        at += wanted;
    }
    same = same && std::fread(chunk, 1, 2, file) == 2 && chunk[0] == '\r' && chunk[1] == '\n';
    std::fclose(file);
    return same;
}

void writeTextFile(const std::filesystem::path& path, std::string_view text)
{
    writeTextFileInPieces(path, [&](const TextPieceSink& sink) { sink(text); });
}

void writeTextFileInPieces(const std::filesystem::path& path,
                           const std::function<void(const TextPieceSink&)>& produce)
{
    // The creation of the temporary file fails as the check of the directory would.
    checkTarget(path);
    const std::filesystem::path temporary = temporaryPathBeside(path);
    {
        std::ofstream out;
        // Unbuffered: a text handed over in many small pieces is gathered here and reaches the
        // file in large writes, without the stream's checks for every piece.
        out.rdbuf()->pubsetbuf(nullptr, 0);
        out.open(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw FileError(path, lastSystemError());
        std::string gathered;
        gathered.reserve(kWriteBuffer);
        auto writeGathered = [&] {
            out.write(gathered.data(), static_cast<std::streamsize>(gathered.size()));
            gathered.clear();
        };
        try {
            produce([&](std::string_view piece) {
                if (gathered.size() + piece.size() > kWriteBuffer)
                    writeGathered();
                if (piece.size() >= kWriteBuffer)
                    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                else
                    gathered.append(piece);
            });
        } catch (...) {
            out.close();
            removeQuietly(temporary);
            throw;
        }
        gathered.append("\r\n");
        writeGathered();
        // A failure that only the close reports leaves the file short as well.
        out.close();
        if (!out) {
            const std::string reason = lastSystemError();
            removeQuietly(temporary);
            throw FileError(path, reason);
        }
    }
    try {
        replaceFile(temporary, path);
    } catch (...) {
        removeQuietly(temporary);
        throw;
    }
}

} // namespace varrow
