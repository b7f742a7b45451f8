#pragma once

#include <filesystem>

namespace varrow::registry
{

// The variable that moves the store elsewhere (tests use it to keep to a directory of their own).
inline constexpr const char* kStoreDirectoryVariable = "VARROW_REGISTRY_DIR";

// The directory of the store, looked up at every call: $VARROW_REGISTRY_DIR when set and not
// empty, otherwise "varrow/registry" in the user's configuration directory ($XDG_CONFIG_HOME when
// it is an absolute path, else ".config" in the home directory). Empty when the user has no
// home directory.
std::filesystem::path storeDirectory();

} // namespace varrow::registry
