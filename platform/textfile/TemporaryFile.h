#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace varrow
{

// Letters nobody can guess, for names in folders that others may write to.
std::string unguessableLetters();

// A hidden file beside a target, created under a name nobody can guess and only when no file, link
// or anything else has that name, so a link planted in a shared folder is never followed and no
// existing file is ever opened. It is removed when it goes out of scope without having replaced
// its target.
class TemporaryFile
{
public:
    // Creates the file beside `target`. Throws FileError naming `target` when no file can be
    // created in its folder.
    explicit TemporaryFile(const std::filesystem::path& target);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Appends `bytes`. Throws FileError naming the target.
    void write(std::string_view bytes);

    // Closes the file, with what only the close reports, and renames it over the target, which
    // is replaced whole or not at all. Throws FileError naming the target; the temporary file is
    // then gone and the target as it was.
    void replaceTarget();

    // Like replaceTarget, but only while nothing has the target's name, a link included: returns
    // false, and removes the temporary file, when something has.
    bool takeFreeTarget();

    // The open file's descriptor, for what only the system offers (permissions, sync).
    int descriptor() const { return m_descriptor; }

private:
    // Closes the file; throws FileError naming the target with what only the close reports.
    void finish();
    void close();

    std::filesystem::path m_target;
    std::filesystem::path m_path;
    int m_descriptor = -1;
};

} // namespace varrow
