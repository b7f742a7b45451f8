#include "integration/CRegister.h"

namespace varrow
{

namespace
{

using registry::Key;
using registry::Status;

const std::string* valueNameOrDefault(const std::string& valueName)
{
    return valueName == kDefaultValueName ? nullptr : &valueName;
}

std::string displayKey(Key hive, const std::string& path)
{
    std::string name(registry::rootKeyName(hive));
    if (!name.empty() && !path.empty())
        name += '\\';
    return name + path;
}

std::string displayValue(const std::string& valueName)
{
    return valueName == kDefaultValueName ? std::string("the default value")
                                          : "value \"" + valueName + "\"";
}

// Records in `failure` that `action` failed with `status`; returns false for the caller's result.
bool noteFailure(std::string* failure, const std::string& action, Status status)
{
    if (failure)
        *failure = action + " failed: " + registry::describeStatus(status);
    return false;
}

} // namespace

bool SetStringValue(Key hive, const std::string& keyPath, const std::string& valueName,
                    const std::string& text, std::string* failure)
{
    const std::string path = TrimKeyPath(keyPath);
    Key key = 0;
    const Status created = registry::createKey(hive, path, registry::kAllAccess, key);
    if (created != registry::kSuccess)
        return noteFailure(failure, "creating key " + displayKey(hive, path), created);
    const Status written = registry::setStringValue(key, valueNameOrDefault(valueName), text);
    if (written != registry::kSuccess)
        noteFailure(failure, "writing " + displayValue(valueName) + " of " + displayKey(hive, path),
                    written);
    registry::closeKey(key);
    return written == registry::kSuccess;
}

bool DeleteKeyOrValue(Key hive, const std::string& keyPath, const std::string& valueName,
                      std::string* failure)
{
    const std::string path = TrimKeyPath(keyPath);
    const bool deletesValue = !valueName.empty();
    Key opened = 0;
    const std::string openedPath = deletesValue ? path : std::string();
    const Status open = registry::openKey(hive, openedPath, registry::kAllAccess, opened);
    if (open != registry::kSuccess)
        return noteFailure(failure, "opening key " + displayKey(hive, openedPath), open);
    const Status deleted = deletesValue
                               ? registry::deleteValue(opened, valueNameOrDefault(valueName))
                               : registry::deleteKey(opened, path);
    if (deleted != registry::kSuccess)
        noteFailure(failure,
                    deletesValue
                        ? "deleting " + displayValue(valueName) + " of " + displayKey(hive, path)
                        : "deleting key " + displayKey(hive, path),
                    deleted);
    registry::closeKey(opened);
    return deleted == registry::kSuccess;
}

std::string TrimKeyPath(std::string_view keyPath)
{
    if (!keyPath.empty() && keyPath.front() == '\\')
        keyPath.remove_prefix(1);
    if (!keyPath.empty() && keyPath.back() == '\\')
        keyPath.remove_suffix(1);
    return std::string(keyPath);
}

} // namespace varrow
