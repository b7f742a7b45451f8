#include "platform/textfile/DeferredTextFiles.h"

#include <algorithm>

namespace varrow
{

DeferredTextFiles::File& DeferredTextFiles::noteWrite(const std::filesystem::path& path)
{
    const auto found = std::find_if(m_files.begin(), m_files.end(),
                                    [&](const File& file) { return file.path == path; });
    if (found != m_files.end())
        return *found;
    checkTextFileWritable(path);
    return m_files.emplace_back(File{path, {}, {}});
}

void DeferredTextFiles::check(const std::filesystem::path& path)
{
    noteWrite(path);
}

void DeferredTextFiles::write(const std::filesystem::path& path, std::string text)
{
    File& file = noteWrite(path);
    file.owned = std::move(text);
    file.text = file.owned;
    file.written = true;
}

void DeferredTextFiles::writeBorrowed(const std::filesystem::path& path, std::string_view text)
{
    File& file = noteWrite(path);
    file.owned.clear();
    file.text = text;
    file.written = true;
}

std::vector<FileError> DeferredTextFiles::commit()
{
    std::vector<FileError> failures;
    for (const File& file : m_files) {
        if (!file.written || fileHoldsText(file.path, file.text))
            continue;
        try {
            writeTextFile(file.path, file.text);
        } catch (const FileError& error) {
            failures.push_back(error);
        }
    }
    return failures;
}

} // namespace varrow
