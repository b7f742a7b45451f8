#include "platform/registry/StoreLocation.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace varrow::registry
{

namespace
{

const char* nonEmptyVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

std::filesystem::path homeDirectory()
{
    if (const char* home = nonEmptyVariable("HOME"))
        return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir && *user->pw_dir ? user->pw_dir : std::filesystem::path();
}

std::filesystem::path configurationDirectory()
{
    if (const char* configHome = nonEmptyVariable("XDG_CONFIG_HOME")) {
        const std::filesystem::path path(configHome);
        if (path.is_absolute())
            return path;
    }
    const std::filesystem::path home = homeDirectory();
    return home.empty() ? home : home / ".config";
}

} // namespace

std::filesystem::path storeDirectory()
{
    if (const char* overridden = nonEmptyVariable(kStoreDirectoryVariable))
        return overridden;
    const std::filesystem::path configuration = configurationDirectory();
    return configuration.empty() ? configuration : configuration / "varrow" / "registry";
}

} // namespace varrow::registry
