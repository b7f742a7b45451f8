#include "ScratchStore.h"

#include "platform/registry/StoreLocation.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace varrow::registry
{

ScratchStore::ScratchStore()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "varrow-registry-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary directory");
    m_directory = pattern;
    moveTo(m_directory);
}

ScratchStore::~ScratchStore()
{
    unsetenv(kStoreDirectoryVariable);
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
}

void ScratchStore::moveTo(const std::filesystem::path& path)
{
    setenv(kStoreDirectoryVariable, path.c_str(), 1);
}

std::optional<std::string> fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::filesystem::path& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::optional<std::string> readValue(Key root, const std::string& path, const std::string* name)
{
    Key key = 0;
    if (openKey(root, path, kRead, key) != kSuccess)
        return std::nullopt;
    std::string text;
    const Status status = queryStringValue(key, name, text);
    closeKey(key);
    return status == kSuccess ? std::optional<std::string>(text) : std::nullopt;
}

bool keyExists(Key root, const std::string& path)
{
    Key key = 0;
    if (openKey(root, path, kRead, key) != kSuccess)
        return false;
    closeKey(key);
    return true;
}

} // namespace varrow::registry
