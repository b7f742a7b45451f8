// The registry through advapi32's ANSI entry points. Handles are the registry's own.
#include "platform/registry/Registry.h"
#include "platform/registry/StatusText.h"

#include <windows.h>

namespace varrow::registry
{

namespace
{

HKEY toHandle(Key key)
{
    return reinterpret_cast<HKEY>(key);
}

Key fromHandle(HKEY key)
{
    return reinterpret_cast<Key>(key);
}

const char* valueNameOrDefault(const std::string* name)
{
    return name ? name->c_str() : nullptr;
}

std::string systemMessage(Status status)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string message(buffer ? buffer : "", length);
    LocalFree(buffer);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == '.' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(status) : message;
}

} // namespace

static_assert(kAllAccess == KEY_ALL_ACCESS && kRead == KEY_READ);
static_assert(kQueryValue == KEY_QUERY_VALUE && kSetValue == KEY_SET_VALUE &&
              kCreateSubKey == KEY_CREATE_SUB_KEY);

Status createKey(Key parent, const std::string& path, unsigned long access, Key& opened)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG result =
        RegCreateKeyExA(toHandle(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &key, &disposition);
    if (result == ERROR_SUCCESS)
        opened = fromHandle(key);
    return result;
}

Status openKey(Key parent, const std::string& path, unsigned long access, Key& opened)
{
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(toHandle(parent), path.c_str(), 0, access, &key);
    if (result == ERROR_SUCCESS)
        opened = fromHandle(key);
    return result;
}

Status setStringValue(Key key, const std::string* name, const std::string& text)
{
    // The byte count covers the text and its terminating NUL.
    return RegSetValueExA(toHandle(key), valueNameOrDefault(name), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

Status queryStringValue(Key key, const std::string* name, std::string& text)
{
    DWORD type = 0;
    DWORD size = 0;
    LONG result =
        RegQueryValueExA(toHandle(key), valueNameOrDefault(name), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS)
        return result;
    if (type != REG_SZ)
        return ERROR_UNSUPPORTED_TYPE;
    std::string data(size, '\0');
    result = RegQueryValueExA(toHandle(key), valueNameOrDefault(name), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
    if (result != ERROR_SUCCESS)
        return result;
    data.resize(size);
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    text = std::move(data);
    return ERROR_SUCCESS;
}

Status deleteValue(Key key, const std::string* name)
{
    return RegDeleteValueA(toHandle(key), valueNameOrDefault(name));
}

Status deleteKey(Key parent, const std::string& path)
{
    return RegDeleteKeyA(toHandle(parent), path.c_str());
}

Status closeKey(Key key)
{
    return RegCloseKey(toHandle(key));
}

std::string describeStatus(Status status)
{
    const std::string_view text = statusText(status);
    return text.empty() ? systemMessage(status) : std::string(text);
}

} // namespace varrow::registry
