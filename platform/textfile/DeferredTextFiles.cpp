#include "platform/textfile/DeferredTextFiles.h"

#include <algorithm>

namespace varrow
{

namespace
{
constexpr std::string_view kLineEnd = "\r\n";
} // namespace

DeferredTextFiles::File* DeferredTextFiles::find(const std::filesystem::path& path)
{
    const auto found = std::find_if(m_files.begin(), m_files.end(),
                                    [&](const File& file) { return file.path == path; });
    return found != m_files.end() ? &*found : nullptr;
}

std::string_view DeferredTextFiles::read(const std::filesystem::path& path)
{
    if (const File* file = find(path))
        return file->text;
    File& file = m_files.emplace_back(File{path, readTextFile(path), {}, false});
    file.text = file.owned;
    if (file.text.ends_with(kLineEnd))
        file.text.remove_suffix(kLineEnd.size());
    return file.text;
}

DeferredTextFiles::File& DeferredTextFiles::noteWrite(const std::filesystem::path& path)
{
    checkTextFileWritable(path);
    File* file = find(path);
    if (!file)
        file = &m_files.emplace_back(File{path, {}, {}, false});
    file->written = true;
    return *file;
}

void DeferredTextFiles::write(const std::filesystem::path& path, std::string text)
{
    File& file = noteWrite(path);
    file.owned = std::move(text);
    file.text = file.owned;
}

void DeferredTextFiles::writeBorrowed(const std::filesystem::path& path, std::string_view text)
{
    File& file = noteWrite(path);
    file.owned.clear();
    file.text = text;
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
