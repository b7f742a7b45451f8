// Names a picture from arbitrary bytes (the first line the address, the rest the MIME type) and
// requires of the name what a save into one folder relies on: one valid UTF-8 name, within the
// length bound, with nothing a file system or the other platform would read otherwise.

#include "capture/PictureFileNames.h"
#include "fuzz/capture/FuzzSupport.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace
{

bool isValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

std::string upper(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return result;
}

void requireSafe(const std::string& name)
{
    using varrow::fuzz::require;
    require(!name.empty(), "empty name");
    require(name.size() <= varrow::kMaxFileNameBytes, "name longer than the bound");
    require(isValidUtf8(name), "name is not valid UTF-8");
    require(name.find_first_of("/\\<>:\"|?*") == std::string::npos, "separator or reserved sign");
    require(std::none_of(name.begin(), name.end(),
                         [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
            "control character");
    require(name.find("..") == std::string::npos, "two dots in a row");
    require(name.front() != '.' && name.front() != ' ', "leading dot or space");
    require(name.back() != '.' && name.back() != ' ', "trailing dot or space");
    std::string stem = upper(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    for (const char* reserved : {"CON", "PRN", "AUX", "NUL"})
        require(stem != reserved, "reserved name");
    require(!(stem.size() == 4 && (stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) &&
              stem[3] >= '1' && stem[3] <= '9'),
            "reserved device name");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const varrow::fuzz::FuzzInput input = varrow::fuzz::splitInput(data, size);
    const std::string name = varrow::pictureFileName(input.pageAddress, input.markup);
    requireSafe(name);
    requireSafe(varrow::safeFileName(input.pageAddress));
    const std::string numbered = varrow::numberedFileName(name, 2);
    varrow::fuzz::require(numbered.size() <= 255 && numbered != name, "numbered name");
    return 0;
}
