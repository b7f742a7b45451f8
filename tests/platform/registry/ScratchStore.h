#pragma once

#include "platform/registry/Registry.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace varrow::registry
{

// A registry store of the test's own: a fresh temporary directory that VARROW_REGISTRY_DIR names
// while the object lives. The directory and everything in it are removed afterwards.
class ScratchStore
{
public:
    ScratchStore();
    ~ScratchStore();
    ScratchStore(const ScratchStore&) = delete;
    ScratchStore& operator=(const ScratchStore&) = delete;

    const std::filesystem::path& directory() const { return m_directory; }
    // The store file of HKEY_LOCAL_MACHINE.
    std::filesystem::path machineFile() const { return m_directory / "HKEY_LOCAL_MACHINE.reg"; }
    // Points the store at `path` instead (for a store that cannot be used).
    void moveTo(const std::filesystem::path& path);

private:
    std::filesystem::path m_directory;
};

// The whole content of the file, or nullopt when it cannot be read.
std::optional<std::string> fileText(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view text);

// The string value `name` (null: the default value) of the key, or nullopt when the key or the
// value does not exist.
std::optional<std::string> readValue(Key root, const std::string& path, const std::string* name);
bool keyExists(Key root, const std::string& path);

} // namespace varrow::registry
