#include "shell/FileExists.h"

#include "extract/TextSearch.h"

#include <filesystem>
#include <system_error>

namespace varrow
{
namespace
{

namespace fs = std::filesystem;

bool isVisibleOrdinaryFile(const fs::directory_entry& entry, std::error_code& error)
{
    const std::string name = entry.path().filename().string();
    return !name.empty() && name.front() != '.' && entry.is_regular_file(error);
}

} // namespace

std::string FileNameOf(std::string_view path)
{
    const auto separator = path.find_last_of('/');
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

bool FileExists(std::string_view path)
{
    const std::string name = FileNameOf(path);
    if (name.empty())
        return false;
    std::error_code error;
    const fs::path file{std::string(path)};
    const fs::directory_entry exact(file, error);
    if (!error && isVisibleOrdinaryFile(exact, error))
        return !error;

    // Names are matched without regard to letter case, as on the desktop this program came from.
    const fs::path directory = file.has_parent_path() ? file.parent_path() : fs::path(".");
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (equalsNoCase(it->path().filename().string(), name) && isVisibleOrdinaryFile(*it, error))
            return !error;
    }
    return false;
}

} // namespace varrow
