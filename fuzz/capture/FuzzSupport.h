#pragma once

#include "extract/ImageLists.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

// What the fuzz targets share: how an input becomes a capture, and a scratch program directory.
namespace varrow::fuzz
{

// One fuzz input: the bytes before the first LF are the page address, the bytes after it the
// markup. Without a LF the whole input is the address and the markup is empty.
struct FuzzInput {
    std::string_view pageAddress;
    std::string_view markup;
};

inline FuzzInput splitInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t lineEnd = bytes.find('\n');
    if (lineEnd == std::string_view::npos)
        return {bytes, {}};
    return {bytes.substr(0, lineEnd), bytes.substr(lineEnd + 1)};
}

// A program directory of this process's own under the temporary directory, created on first use
// and removed when the process ends normally.
const std::filesystem::path& programDirectory();

// Stops the run with `what` when `holds` is false, so that libFuzzer saves the input.
void require(bool holds, const char* what);

// Requires what every scan promises of the lists: no name twice within a list.
void requireConsistentLists(const ImageLists& lists);

} // namespace varrow::fuzz
