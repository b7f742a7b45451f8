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
    // The file's text as writeTextFile was given it, without the CR LF that ends the file: the
    // last text written, or the file's own content, read on first use, less one final CR LF. Its
    // lines are the file's lines (forEachLine), but for an empty last one. Valid until the next
    // write of the same path. Throws FileError when the file has not been written and cannot be
    // read.
    std::string_view read(const std::filesystem::path& path);

    // Notes `text` as the file's text, as writeTextFile(path, text) would write it. Throws the
    // FileError that writeTextFile would throw now for the file itself; the text is then not
    // noted.
    void write(const std::filesystem::path& path, std::string text);

    // Like write, for a text that the caller keeps, unchanged, until commit() has returned: it is
    // not copied.
    void writeBorrowed(const std::filesystem::path& path, std::string_view text);

    // Writes every noted file that does not hold its last text yet, in the order in which the
    // files were first used, each atomically as writeTextFile does. Returns the failures, one per
    // file; the other files are still written.
    std::vector<FileError> commit();

private:
    struct File {
        std::filesystem::path path;
        std::string owned;     // the text, unless it is borrowed
        std::string_view text; // views `owned` or the borrowed text
        bool written = false;
    };
    File& noteWrite(const std::filesystem::path& path);
    File* find(const std::filesystem::path& path);

    std::deque<File> m_files; // a deque keeps each File in place, so the views stay valid
};

} // namespace varrow
