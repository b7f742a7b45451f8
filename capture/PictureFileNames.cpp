#include "capture/PictureFileNames.h"

#include "capture/UnicodeText.h"
#include "extract/PageImages.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace varrow
{
namespace
{

constexpr std::size_t kMaxKeptExtensionBytes = 16;
constexpr char kReplacement = '_';

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalNoCase(text.substr(0, prefix.size()), prefix);
}

// Characters that would split the name, mean something to a file system or a shell's globbing,
// or make the name read otherwise than it is stored.
bool isUnsafe(char32_t c)
{
    constexpr std::string_view kReserved = "/\\<>:\"|?*";
    return isControlCharacter(c) || isInvisibleCharacter(c) ||
           (c < 0x80 && kReserved.find(char(c)) != kReserved.npos);
}

std::string replaceUnsafe(std::string_view name)
{
    std::string safe;
    safe.reserve(name.size());
    forEachCharacter(name, [&](std::string_view bytes, char32_t c, bool wellFormed) {
        if (!wellFormed || isUnsafe(c))
            safe += kReplacement;
        else
            safe.append(bytes);
    });
    return safe;
}

void collapseDots(std::string& name)
{
    name.erase(
        std::unique(name.begin(), name.end(), [](char a, char b) { return a == '.' && b == '.'; }),
        name.end());
}

bool isTrimmed(char c)
{
    return c == '.' || c == ' ';
}

void trimEnds(std::string& name)
{
    while (!name.empty() && isTrimmed(name.back()))
        name.pop_back();
    const auto first = std::find_if_not(name.begin(), name.end(), isTrimmed);
    name.erase(name.begin(), first);
}

// Windows refuses these as file names whatever extension follows, and with spaces before it.
bool isReservedName(std::string_view name)
{
    static constexpr std::array<std::string_view, 6> kWords{"CON", "PRN",    "AUX",
                                                            "NUL", "CONIN$", "CONOUT$"};
    static constexpr std::array<std::string_view, 2> kNumbered{"COM", "LPT"};
    // The digits 1-9 and the superscripts ¹ ² ³, which Windows counts as digits here.
    static constexpr std::array<std::string_view, 12> kDigits{
        "1", "2", "3", "4", "5", "6", "7", "8", "9", "\u00B9", "\u00B2", "\u00B3"};
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    if (std::any_of(kWords.begin(), kWords.end(),
                    [&](std::string_view word) { return equalNoCase(stem, word); }))
        return true;
    return stem.size() > 3 &&
           std::any_of(kNumbered.begin(), kNumbered.end(),
                       [&](std::string_view word) { return startsWithNoCase(stem, word); }) &&
           std::find(kDigits.begin(), kDigits.end(), stem.substr(3)) != kDigits.end();
}

// Where the extension's dot is, or npos for a name without one.
std::size_t extensionDot(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()
               ? std::string_view::npos
               : dot;
}

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 sequence.
void cutAtCharacter(std::string& text, std::size_t limit)
{
    if (text.size() <= limit)
        return;
    std::size_t end = limit;
    while (end > 0 && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

// The name cut to kMaxFileNameBytes; a short extension stays and the stem is cut instead.
std::string capLength(std::string name)
{
    if (name.size() <= kMaxFileNameBytes)
        return name;
    const std::size_t dot = extensionDot(name);
    const bool keepExtension =
        dot != std::string::npos && name.size() - dot <= kMaxKeptExtensionBytes;
    const std::string extension = keepExtension ? name.substr(dot) : std::string();
    if (keepExtension)
        name.resize(dot);
    cutAtCharacter(name, kMaxFileNameBytes - extension.size());
    while (!name.empty() && isTrimmed(name.back()))
        name.pop_back();
    return name + extension;
}

std::string percentDecoded(std::string_view text)
{
    const auto hexValue = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = lowerAscii(c);
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            decoded += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// The last segment of an absolute address's path, without query and fragment.
std::string_view lastPathSegment(std::string_view address)
{
    address = address.substr(0, address.find('#'));
    address = address.substr(0, address.find('?'));
    const std::size_t authority = address.find("://");
    if (authority != std::string_view::npos) {
        const std::size_t path = address.find('/', authority + 3);
        address = path == std::string_view::npos ? std::string_view() : address.substr(path);
    }
    const std::size_t slash = address.rfind('/');
    return slash == std::string_view::npos ? address : address.substr(slash + 1);
}

bool hasPictureExtension(std::string_view name)
{
    static constexpr std::array<std::string_view, 22> kPictureExtensions{
        "png", "apng", "jpg", "jpeg", "jpe", "jfif", "pjpeg", "pjp",  "gif", "webp", "avif",
        "svg", "svgz", "bmp", "dib",  "ico", "cur",  "tif",   "tiff", "jxl", "heic", "heif"};
    const std::size_t dot = extensionDot(name);
    if (dot == std::string_view::npos)
        return false;
    const std::string_view extension = name.substr(dot + 1);
    return std::any_of(kPictureExtensions.begin(), kPictureExtensions.end(),
                       [&](std::string_view known) { return equalNoCase(extension, known); });
}

} // namespace

std::string_view extensionForType(std::string_view mimeType)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kExtensions{{
        {"image/png", ".png"},
        {"image/apng", ".png"},
        {"image/jpeg", ".jpg"},
        {"image/pjpeg", ".jpg"},
        {"image/jpg", ".jpg"},
        {"image/gif", ".gif"},
        {"image/webp", ".webp"},
        {"image/avif", ".avif"},
        {"image/svg+xml", ".svg"},
        {"image/bmp", ".bmp"},
        {"image/x-ms-bmp", ".bmp"},
        {"image/x-icon", ".ico"},
        {"image/vnd.microsoft.icon", ".ico"},
        {"image/tiff", ".tif"},
        {"image/jxl", ".jxl"},
        {"image/heic", ".heic"},
        {"image/heif", ".heif"},
    }};
    std::string_view type = mimeType.substr(0, mimeType.find(';'));
    while (!type.empty() && (type.back() == ' ' || type.back() == '\t'))
        type.remove_suffix(1);
    while (!type.empty() && (type.front() == ' ' || type.front() == '\t'))
        type.remove_prefix(1);
    for (const auto& [known, extension] : kExtensions)
        if (equalNoCase(type, known))
            return extension;
    return {};
}

std::string safeFileName(std::string_view name)
{
    std::string safe = replaceUnsafe(name);
    collapseDots(safe);
    trimEnds(safe);
    safe = capLength(std::move(safe));
    if (isReservedName(safe))
        safe = capLength(kReplacement + safe);
    return safe.empty() ? std::string(kDefaultPictureName) : safe;
}

std::string pictureFileName(std::string_view address, std::string_view mimeType)
{
    const std::optional<DataAddressFacts> data = dataAddressFacts(address);
    const bool named =
        !data && !startsWithNoCase(address, "data:") && !startsWithNoCase(address, "blob:");
    std::string name = safeFileName(named ? percentDecoded(lastPathSegment(address)) : "");
    const std::string_view extension =
        extensionForType(mimeType.empty() && data ? std::string_view(data->type) : mimeType);
    if (!extension.empty() && !hasPictureExtension(name))
        name = safeFileName(name + std::string(extension));
    return name;
}

std::string numberedFileName(std::string_view name, int number)
{
    if (number <= 1)
        return std::string(name);
    const std::size_t dot = extensionDot(name);
    const std::string_view stem = name.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? "" : name.substr(dot);
    return std::string(stem) + " (" + std::to_string(number) + ")" + std::string(extension);
}

std::string freeFileName(std::string_view name,
                         const std::function<bool(const std::string&)>& taken)
{
    for (int number = 1; number <= kMaxFileNameNumber; ++number) {
        std::string candidate = numberedFileName(name, number);
        if (!taken(candidate))
            return candidate;
    }
    return {};
}

} // namespace varrow
