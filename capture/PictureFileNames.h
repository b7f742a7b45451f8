#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// File names for pictures saved from a page: safe on every file system we write to, and never
// the name of a file that is already there. Plain C++ on UTF-8 text.
namespace varrow
{

// Longest file name safeFileName gives, in bytes of UTF-8; leaves room below the usual limit of
// 255 for the " (N)" of a taken name.
inline constexpr std::size_t kMaxFileNameBytes = 240;

// The name used when an address gives none of its own.
inline constexpr std::string_view kDefaultPictureName = "picture";

// The usual file extension for a picture's MIME type, with its dot (".png" for "image/png",
// parameters and letter case ignored); empty for a type we know no extension for.
std::string_view extensionForType(std::string_view mimeType);

// `name` made safe as one file name in a folder: "/", "\", control characters (C0, DEL, C1),
// bidirectional overrides, `<>:"|?*` and invalid UTF-8 become "_"; runs of dots become one dot;
// leading dots and spaces and trailing dots and spaces go; a name the system reserves (CON, PRN,
// AUX, NUL, COM1-9, LPT1-9, in any case, with any extension) gets a leading "_"; the name is cut
// to kMaxFileNameBytes at a character boundary, keeping a short extension. An empty result
// becomes kDefaultPictureName.
std::string safeFileName(std::string_view name);

// The file name for a picture at `address` (absolute) whose MIME type is `mimeType` (empty when
// not known): the address's last path segment, percent-decoded, without query or fragment, made
// safe; the type's extension is added when the name has no picture extension of its own
// ("photo" and "image.php" served as image/jpeg become "photo.jpg" and "image.php.jpg"; a
// "photo.png" stays as it is whatever the type). data: and blob: addresses,
// and addresses whose path ends in "/", are named kDefaultPictureName with the type's extension
// (for data:, the type the address itself names when `mimeType` is empty).
std::string pictureFileName(std::string_view address, std::string_view mimeType);

// The most bytes one saved picture may have unless told otherwise (100 MiB): more than any
// picture a page shows, and a bound on a server that sends without end.
inline constexpr std::int64_t kDefaultMaxPictureBytes = std::int64_t(100) * 1024 * 1024;

// The highest number numberedFileName is asked for before a name counts as unavailable.
inline constexpr int kMaxFileNameNumber = 9999;

// The `number`th candidate for `name` (number >= 2): "name (2).png", "name (3).png", ...; the
// number goes before the extension. Number 1 and below give `name` itself.
std::string numberedFileName(std::string_view name, int number);

// The first of `name`, "name (2)", "name (3)", ... up to kMaxFileNameNumber for which `taken` is
// false; empty when every one is taken.
std::string freeFileName(std::string_view name,
                         const std::function<bool(const std::string&)>& taken);

} // namespace varrow
