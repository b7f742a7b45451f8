#pragma once

#include "platform/registry/Registry.h"

#include <string>
#include <string_view>

// General registry routines: one string value written, one value or key deleted. Strings are in
// the system's 8-bit code page, which is what the registry's ANSI entry points take.
namespace varrow
{

// The value name that stands for a key's default (unnamed) value.
inline constexpr std::string_view kDefaultValueName = "*";

// Creates the key `keyPath` (trimmed by TrimKeyPath) below `hive` when it is missing and writes
// `text` into its value `valueName` as a string (REG_SZ). True when the value was written;
// otherwise `failure`, when given, receives what failed and why.
bool SetStringValue(registry::Key hive, const std::string& keyPath, const std::string& valueName,
                    const std::string& text, std::string* failure = nullptr);

// With a non-empty `valueName`, deletes that value of the key `keyPath`; with an empty one,
// deletes the key itself with its values (it must have no sub-keys; its parent stays). The key
// path is trimmed by TrimKeyPath. True when the deletion succeeded; otherwise `failure`, when
// given, receives what failed and why.
bool DeleteKeyOrValue(registry::Key hive, const std::string& keyPath, const std::string& valueName,
                      std::string* failure = nullptr);

// `keyPath` without at most one leading and at most one trailing backslash; inner backslashes
// stay, and an empty path stays empty.
std::string TrimKeyPath(std::string_view keyPath);

} // namespace varrow
