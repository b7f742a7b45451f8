#include "fuzz/capture/FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <unordered_set>

namespace varrow::fuzz
{

namespace
{

class ScratchDirectory
{
public:
    ScratchDirectory()
        : m_path(std::filesystem::temp_directory_path() /
                 ("varrow-fuzz-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

} // namespace

const std::filesystem::path& programDirectory()
{
    static const ScratchDirectory directory;
    return directory.path();
}

void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

void requireConsistentLists(const ImageLists& lists)
{
    for (std::size_t k = 0; k < 2; ++k) {
        std::unordered_set<std::string> names;
        for (const FoundImage& image : lists[k])
            require(names.insert(image.name).second, "name listed twice");
    }
}

} // namespace varrow::fuzz
