#pragma once

#include "platform/registry/Hive.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace varrow::registry
{

// The text of the store file of one root, laid out like the registry's export files:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Example]
//   @="default value"
//   "Name"="C:\\path with \"quotes\""
//
// Names and texts are quoted with backslash and quote escaped by a backslash; a text holding a
// line break or NUL, which a quoted line cannot carry, is written as hex(1): its bytes and a
// terminating 00. Lines end in CR LF; LF or CR alone are read as well, and a UTF-8 byte order
// mark at the start is skipped.
inline constexpr std::string_view kHiveTextHeader = "Windows Registry Editor Version 5.00";

// Why a text is not a store file: the 1-based line and what is wrong with it.
struct HiveTextError {
    std::size_t line = 0;
    std::string reason;
};

// Reads the keys and values of the root `rootName` from `text` into `hive` (a fresh one). Returns
// false with `error` set when the text is not a store file of that root; `hive` is then partly
// filled and must not be used.
bool parseHiveText(std::string_view text, std::string_view rootName, Hive& hive,
                   HiveTextError& error);

// The text of `hive` as the store file of `rootName`: every key in tree order (the root only when
// it has values), each followed by its values in their order and a blank line.
std::string formatHiveText(const Hive& hive, std::string_view rootName);

// Whether `name` can stand as a key or value name in the text: it holds no line break or NUL.
bool isStorableName(std::string_view name);

} // namespace varrow::registry
