#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A registry of keys holding string values, with the operations and result codes of the Windows
// registry's ANSI entry points. On Windows it calls advapi32; elsewhere it is a store of our own:
// one text file per root key, in the layout of the registry's export files, in the directory
// named by VARROW_REGISTRY_DIR, or else varrow/registry/ in $XDG_CONFIG_HOME (~/.config when
// unset). Every change there is made under an exclusive lock on freshly read content and written
// atomically, so programs running at the same time never lose each other's changes. Strings are
// bytes in the system's 8-bit code page (the ANSI code page on Windows, UTF-8 elsewhere).
namespace varrow::registry
{

// Result of an operation: 0 on success, otherwise a Windows system error code.
using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;        // no such key or value
inline constexpr Status kAccessDenied = 5;        // no permission, or a key that still has sub-keys
inline constexpr Status kInvalidHandle = 6;       // a handle that is not open
inline constexpr Status kInvalidParameter = 87;   // a name that the registry cannot hold
inline constexpr Status kRegistryCorrupt = 1015;  // the store cannot be read or understood
inline constexpr Status kRegistryIoFailed = 1016; // the store cannot be written
inline constexpr Status kKeyDeleted = 1018;       // the key of an open handle no longer exists

// An open key, or one of the predefined roots below. Values mirror the Windows handles, which are
// 32-bit constants sign-extended to the width of a pointer.
using Key = std::uintptr_t;
constexpr Key predefinedKey(std::uint32_t value)
{
    return static_cast<Key>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
inline constexpr Key kClassesRoot = predefinedKey(0x80000000);
inline constexpr Key kCurrentUser = predefinedKey(0x80000001);
inline constexpr Key kLocalMachine = predefinedKey(0x80000002);
inline constexpr Key kUsers = predefinedKey(0x80000003);

// Access rights asked for when a key is opened.
inline constexpr unsigned long kQueryValue = 0x0001;
inline constexpr unsigned long kSetValue = 0x0002;
inline constexpr unsigned long kCreateSubKey = 0x0004;
inline constexpr unsigned long kRead = 0x20019;
inline constexpr unsigned long kAllAccess = 0xF003F;

// Creates `path` below `parent` (with any missing keys on the way) or opens it when it exists.
// `opened` is set only on success and must be closed with closeKey.
Status createKey(Key parent, const std::string& path, unsigned long access, Key& opened);
// Opens `path` below `parent`; the empty path opens a new handle to `parent` itself.
Status openKey(Key parent, const std::string& path, unsigned long access, Key& opened);
// Writes a string value (REG_SZ); a null or empty `name` is the key's default (unnamed) value.
Status setStringValue(Key key, const std::string* name, const std::string& text);
// Reads a string value written by setStringValue; a null or empty `name` is the default value.
Status queryStringValue(Key key, const std::string* name, std::string& text);
// Deletes one value; a null or empty `name` is the default value.
Status deleteValue(Key key, const std::string* name);
// Deletes `path` below `parent` together with its values; fails with kAccessDenied for a key
// that has sub-keys.
Status deleteKey(Key parent, const std::string& path);
// Releases a handle; closing a predefined root does nothing and succeeds.
Status closeKey(Key key);

// "HKEY_LOCAL_MACHINE" and so on for the predefined roots; empty for any other key.
std::string_view rootKeyName(Key root);

// A readable reason for `status`, with the detail of the last failure on this thread (for the
// store of our own: the file and what went wrong with it) when there is one.
std::string describeStatus(Status status);

} // namespace varrow::registry
