// The registry as a store of our own: the keys of each root live in one text file (HiveFile).
// A handle names a key by its root and path; every operation reads the file afresh, so it sees
// what other programs changed since the key was opened.
#include "platform/registry/FailureNote.h"
#include "platform/registry/HiveFile.h"
#include "platform/registry/HiveText.h"
#include "platform/registry/Registry.h"
#include "platform/registry/StatusText.h"
#include "platform/registry/StoreLocation.h"

#include <map>
#include <mutex>
#include <optional>

namespace varrow::registry
{

namespace
{

struct OpenKey {
    Key root = 0;
    std::string path; // below the root; "" is the root itself
    unsigned long access = 0;
};

std::mutex g_openKeysMutex;
std::map<Key, OpenKey> g_openKeys;
Key g_nextHandle = 1;

std::optional<OpenKey> resolve(Key key)
{
    if (!rootKeyName(key).empty())
        return OpenKey{key, {}, kAllAccess};
    const std::lock_guard lock(g_openKeysMutex);
    const auto found = g_openKeys.find(key);
    if (found == g_openKeys.end())
        return std::nullopt;
    return found->second;
}

Key remember(OpenKey key)
{
    const std::lock_guard lock(g_openKeysMutex);
    const Key handle = g_nextHandle++;
    g_openKeys.emplace(handle, std::move(key));
    return handle;
}

HiveFile fileOf(Key root)
{
    return HiveFile(storeDirectory(), rootKeyName(root));
}

std::string displayName(const OpenKey& key)
{
    std::string name(rootKeyName(key.root));
    if (!key.path.empty())
        name.append("\\").append(key.path);
    return name;
}

std::string displayValueName(const std::string* name)
{
    return name ? "value \"" + *name + "\"" : std::string("the default value");
}

// A relative key path: empty, or names separated by single backslashes.
bool isValidPath(std::string_view path)
{
    return path.empty() || (path.front() != '\\' && path.back() != '\\' &&
                            path.find("\\\\") == std::string_view::npos && isStorableName(path));
}

OpenKey below(const OpenKey& parent, const std::string& path)
{
    OpenKey key{parent.root, parent.path, 0};
    if (!path.empty())
        key.path = key.path.empty() ? path : key.path + "\\" + path;
    return key;
}

Status noteInvalidHandle()
{
    return noteFailure(kInvalidHandle, {});
}

Status noteInvalidPath(const std::string& path)
{
    return noteFailure(kInvalidParameter, "key path \"" + path + "\"");
}

Status noteMissingRight(const OpenKey& key)
{
    return noteFailure(kAccessDenied, displayName(key) + " was not opened for this");
}

Status noteKeyDeleted(const OpenKey& key)
{
    return noteFailure(kKeyDeleted, displayName(key));
}

Status noteMissingKey(const OpenKey& key)
{
    return noteFailure(kFileNotFound, "no key " + displayName(key));
}

Status checkedValueName(const std::string* name)
{
    if (name && !isStorableName(*name))
        return noteFailure(kInvalidParameter, "value name \"" + *name + "\"");
    return kSuccess;
}

} // namespace

Status createKey(Key parent, const std::string& path, unsigned long access, Key& opened)
{
    const std::optional<OpenKey> parentKey = resolve(parent);
    if (!parentKey)
        return noteInvalidHandle();
    if (!isValidPath(path))
        return noteInvalidPath(path);
    if ((parentKey->access & kCreateSubKey) == 0)
        return noteMissingRight(*parentKey);
    OpenKey key = below(*parentKey, path);
    key.access = access;
    const Status status = fileOf(key.root).change([&](Hive& hive, bool& changed) {
        if (!hive.find(parentKey->path))
            return noteKeyDeleted(*parentKey);
        changed = !hive.find(key.path);
        hive.ensure(key.path);
        return kSuccess;
    });
    if (status == kSuccess)
        opened = remember(std::move(key));
    return status;
}

Status openKey(Key parent, const std::string& path, unsigned long access, Key& opened)
{
    const std::optional<OpenKey> parentKey = resolve(parent);
    if (!parentKey)
        return noteInvalidHandle();
    if (!isValidPath(path))
        return noteInvalidPath(path);
    OpenKey key = below(*parentKey, path);
    key.access = access;
    if (!key.path.empty()) {
        Hive hive;
        if (const Status status = fileOf(key.root).read(hive); status != kSuccess)
            return status;
        if (!hive.find(parentKey->path))
            return noteKeyDeleted(*parentKey);
        if (!hive.find(key.path))
            return noteMissingKey(key);
    }
    opened = remember(std::move(key));
    return kSuccess;
}

Status setStringValue(Key key, const std::string* name, const std::string& text)
{
    const std::optional<OpenKey> openKey = resolve(key);
    if (!openKey)
        return noteInvalidHandle();
    if (const Status status = checkedValueName(name); status != kSuccess)
        return status;
    if ((openKey->access & kSetValue) == 0)
        return noteMissingRight(*openKey);
    return fileOf(openKey->root).change([&](Hive& hive, bool& changed) {
        HiveKey* stored = hive.find(openKey->path);
        if (!stored)
            return noteKeyDeleted(*openKey);
        stored->setValue(name, text);
        changed = true;
        return kSuccess;
    });
}

Status queryStringValue(Key key, const std::string* name, std::string& text)
{
    const std::optional<OpenKey> openKey = resolve(key);
    if (!openKey)
        return noteInvalidHandle();
    if ((openKey->access & kQueryValue) == 0)
        return noteMissingRight(*openKey);
    Hive hive;
    if (const Status status = fileOf(openKey->root).read(hive); status != kSuccess)
        return status;
    const HiveKey* stored = hive.find(openKey->path);
    if (!stored)
        return noteKeyDeleted(*openKey);
    const HiveValue* value = stored->findValue(name);
    if (!value)
        return noteFailure(kFileNotFound,
                           "no " + displayValueName(name) + " in " + displayName(*openKey));
    text = value->text;
    return kSuccess;
}

Status deleteValue(Key key, const std::string* name)
{
    const std::optional<OpenKey> openKey = resolve(key);
    if (!openKey)
        return noteInvalidHandle();
    if ((openKey->access & kSetValue) == 0)
        return noteMissingRight(*openKey);
    return fileOf(openKey->root).change([&](Hive& hive, bool& changed) {
        HiveKey* stored = hive.find(openKey->path);
        if (!stored)
            return noteKeyDeleted(*openKey);
        changed = stored->removeValue(name);
        if (!changed)
            return noteFailure(kFileNotFound,
                               "no " + displayValueName(name) + " in " + displayName(*openKey));
        return kSuccess;
    });
}

Status deleteKey(Key parent, const std::string& path)
{
    const std::optional<OpenKey> parentKey = resolve(parent);
    if (!parentKey)
        return noteInvalidHandle();
    if (!isValidPath(path))
        return noteInvalidPath(path);
    const OpenKey key = below(*parentKey, path);
    if (key.path.empty())
        return noteFailure(kAccessDenied, displayName(key) + " is a root key");
    return fileOf(key.root).change([&](Hive& hive, bool& changed) {
        if (!hive.find(parentKey->path))
            return noteKeyDeleted(*parentKey);
        if (!hive.find(key.path))
            return noteMissingKey(key);
        if (hive.hasSubKeys(key.path))
            return noteFailure(kAccessDenied, displayName(key) + " has sub-keys");
        hive.remove(key.path);
        changed = true;
        return kSuccess;
    });
}

Status closeKey(Key key)
{
    if (!rootKeyName(key).empty())
        return kSuccess;
    const std::lock_guard lock(g_openKeysMutex);
    if (g_openKeys.erase(key) == 0)
        return noteInvalidHandle();
    return kSuccess;
}

std::string describeStatus(Status status)
{
    const std::string_view text = statusText(status);
    std::string description = text.empty() ? "error " + std::to_string(status) : std::string(text);
    if (const std::string detail = failureDetail(status); !detail.empty())
        description.append(" (").append(detail).append(")");
    return description;
}

} // namespace varrow::registry
