#pragma once

#include <filesystem>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varrow
{

// A file that could not be read or written: names the path and the operating system's reason.
class FileError : public std::runtime_error
{
public:
    FileError(std::filesystem::path path, std::string reason);

    const std::filesystem::path& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }

private:
    std::filesystem::path m_path;
    std::string m_reason;
};

// The path that UTF-8 text names, on every system. (A path made from a plain std::string reads it
// in the narrow encoding of the C library, which on Windows is not UTF-8.)
std::filesystem::path pathFromUtf8(std::string_view text);

// Returns the whole content of the file, byte for byte. Throws FileError when it cannot be read or
// holds more than `maxBytes` (a pipe or a device is read only that far).
std::string readTextFile(const std::filesystem::path& path,
                         std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Replaces the whole file with `text` followed by CR LF. The text goes to a hidden temporary file
// beside the target (TemporaryFile), which is then renamed over it, so a crash leaves either the
// old or the new file, never a torn one. An existing target that we may not write is refused like
// the open of a read-only file would be. Throws FileError on any failure; the target is then
// unchanged.
void writeTextFile(const std::filesystem::path& path, std::string_view text);

// Creates the file holding `text` followed by CR LF when nothing has its name yet, a link included;
// whatever has the name is left as it is. Returns whether the file was created. Throws FileError
// when it cannot be.
bool createTextFile(const std::filesystem::path& path, std::string_view text);

// Receives a text piece by piece, in order.
using TextPieceSink = std::function<void(std::string_view piece)>;

// Like writeTextFile(path, text), for the text that `produce` hands, piece by piece, to the sink it
// is given, so that a long text is never held whole in memory. When `produce` throws, the
// temporary file is removed, the target stays as it was, and the exception passes on.
void writeTextFileInPieces(const std::filesystem::path& path,
                           const std::function<void(const TextPieceSink&)>& produce);

// Throws the FileError that writeTextFile(path, ...) would throw for a reason that does not depend
// on the text: an existing file that we may not write, a directory in its place, or a directory in
// which the temporary file cannot be created.
void checkTextFileWritable(const std::filesystem::path& path);

// True when the file holds exactly what writeTextFile(path, text) writes: `text`, then CR LF.
// False when it holds anything else or cannot be read.
bool fileHoldsText(const std::filesystem::path& path, std::string_view text);

// Calls `onLine` for every line of `text`. A line ends at CR or at CR LF; a lone LF stays inside
// the line. The terminator is not part of the line, and text after the last terminator is a line
// of its own. Empty text has no lines.
template <typename OnLine> void forEachLine(std::string_view text, OnLine&& onLine)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            onLine(text.substr(start));
            return;
        }
        onLine(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
}

} // namespace varrow
