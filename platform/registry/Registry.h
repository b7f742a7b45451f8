#pragma once

#include <cstdint>
#include <string>

// A registry of keys holding string values, with the operations and result codes of the Windows
// registry's ANSI entry points. On Windows it calls advapi32; elsewhere it is a store of our own.
namespace varrow::registry
{

// Result of an operation: 0 on success, otherwise a Windows system error code.
using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;        // no such key or value
inline constexpr Status kAccessDenied = 5;        // no permission, or a key that still has sub-keys
inline constexpr Status kInvalidHandle = 6;       // a handle that is not open
inline constexpr Status kRegistryCorrupt = 1015;  // the store cannot be read or understood
inline constexpr Status kRegistryIoFailed = 1016; // the store cannot be written

// An open key, or one of the predefined roots below. Values mirror the Windows handles.
using Key = std::uintptr_t;
inline constexpr Key kClassesRoot = 0x80000000;
inline constexpr Key kCurrentUser = 0x80000001;
inline constexpr Key kLocalMachine = 0x80000002;
inline constexpr Key kUsers = 0x80000003;

inline constexpr unsigned long kAllAccess = 0xF003F;

// Creates `path` below `parent` (with any missing keys on the way) or opens it when it exists.
Status createKey(Key parent, const std::string& path, unsigned long access, Key& opened);
// Opens `path` below `parent`; the empty path opens a new handle to `parent` itself.
Status openKey(Key parent, const std::string& path, unsigned long access, Key& opened);
// Writes a string value; a null `name` is the key's default (unnamed) value.
Status setStringValue(Key key, const std::string* name, const std::string& text);
// Deletes one value; a null `name` is the default value.
Status deleteValue(Key key, const std::string* name);
// Deletes `path` below `parent` together with its values; fails for a key with sub-keys.
Status deleteKey(Key parent, const std::string& path);
Status closeKey(Key key);

// A readable reason for `status`, with the detail of the last failure on this thread (for the
// store of our own: the file and what went wrong with it) when there is one.
std::string describeStatus(Status status);

} // namespace varrow::registry
