#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

namespace varrow
{

// Reads the content of the section called `name` from the ELF file in `file` (32- or 64-bit,
// either byte order), seeking only to the structures it needs. Gives nothing when the data is
// not an ELF file, has no section of that name (or only one without file content), when any
// header, name or content it needs lies outside the data, or when the content is longer than
// `maxSize`. Every offset and size is checked before use, so truncated or garbage data is safe.
// The stream's read position and state are changed.
std::optional<std::string> readElfSection(std::istream& file, std::string_view name,
                                          std::size_t maxSize);

} // namespace varrow
