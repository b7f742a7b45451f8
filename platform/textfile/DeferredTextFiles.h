#pragma once

#include "platform/textfile/TextFile.h"

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

// Text files that one task writes and reads back several times, kept in memory until the task
// ends. Each write is checked at once for the failures that writeTextFile would meet and is then
// only noted; commit() writes each file whose last text differs from what it holds on disk. So the
// files end up exactly as after the real writes, while the round trips through the disk, and the
// rewriting of files that already hold their final text, are saved. Nothing else may touch the
// files while the task runs.
class DeferredTextFiles
{
public:
    // What readTextFile(path) would give now: the last text written, then CR LF, or the file's
    // own content, read on first use. Valid until the next write of the same path. Throws
    // FileError when the file has not been written and cannot be read.
    std::string_view read(const std::filesystem::path& path);

    // Notes `text` followed by CR LF as the file's content. Throws the FileError that
    // writeTextFile would throw now for the file itself; the text is then not noted.
    void write(const std::filesystem::path& path, std::string text);

    // Writes every noted file that does not hold its last text yet, in the order in which the
    // files were first used, each atomically as writeTextFile does. Returns the failures, one per file; the other
    // files are still written.
    std::vector<FileError> commit();

private:
    struct File {
        std::filesystem::path path;
        std::string contents;
        bool written = false;
    };
    File* find(const std::filesystem::path& path);

    std::deque<File> m_files; // a deque keeps each File in place, so read() views stay valid
};

} // namespace varrow
