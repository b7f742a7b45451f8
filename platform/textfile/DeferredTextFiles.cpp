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
        return file->contents;
    std::string contents = readTextFile(path);
    return m_files.emplace_back(File{path, std::move(contents), false}).contents;
}

void DeferredTextFiles::write(const std::filesystem::path& path, std::string text)
{
    checkTextFileWritable(path);
    File* file = find(path);
    if (!file)
        file = &m_files.emplace_back(File{path, {}, false});
    text.append(kLineEnd);
    file->contents = std::move(text);
    file->written = true;
}

std::vector<FileError> DeferredTextFiles::commit()
{
    std::vector<FileError> failures;
    for (const File& file : m_files) {
        if (!file.written || fileHolds(file.path, file.contents))
            continue;
        try {
            const std::string_view text = file.contents;
            writeTextFile(file.path, text.substr(0, text.size() - kLineEnd.size()));
        } catch (const FileError& error) {
            failures.push_back(error);
        }
    }
    return failures;
}

} // namespace varrow
