#pragma once

#include "platform/textfile/TextFile.h"

#include <deque>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

// Text files that one task writes several times, kept in memory until the task ends. Each write is
// checked at once for the failures that writeTextFile would meet and is then only noted; commit()
// writes each file whose last text differs from what it holds on disk. So the files end up exactly
// as after the real writes, while the texts that are overwritten within the task, and the
// rewriting of files that already hold their final text, never reach the disk. Nothing else may
// touch the files while the task runs; so a file that passed its check once in the task is not
// checked again.
class DeferredTextFiles
{
public:
    // Notes `text` as the file's text, as writeTextFile(path, text) would write it. Throws the
    // FileError that writeTextFile would throw now for the file itself; the text is then not
    // noted.
    void write(const std::filesystem::path& path, std::string text);

    // Throws the FileError that write(path, ...) would throw now, without noting a text.
    void check(const std::filesystem::path& path);

    // Like write, for a text that the caller keeps, unchanged, until commit() has returned: it is
    // not copied.
    void writeBorrowed(const std::filesystem::path& path, std::string_view text);

    // Writes every noted file that does not hold its last text yet, in the order in which the
    // files were first written, each atomically as writeTextFile does. Returns the failures, one
    // per file; the other files are still written.
    std::vector<FileError> commit();

private:
    struct File {
        std::filesystem::path path;
        std::string owned;     // the text, unless it is borrowed
        std::string_view text; // views `owned` or the borrowed text
        bool written = false;  // only checked, else
    };
    File& noteWrite(const std::filesystem::path& path);

    std::deque<File> m_files; // a deque keeps each File in place, so the views stay valid
};

} // namespace varrow
