#include "extract/MarkupScan.h"

#include "extract/AddressFunctions.h"
#include "extract/ByteLanes.h"
#include "extract/ReferenceResolver.h"
#include "extract/TextSearch.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>

namespace varrow
{

namespace
{

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCgiPrefix = "cgi-bin/i/";
// Only these four, on purpose: the source pages and galleries people have kept list the links of
// these types alone. The Page Images window finds pictures of every type.
constexpr std::array<std::string_view, 4> kImageExtensions{".bmp", ".gif", ".jpeg", ".jpg"};
// A page address ending in one of these is taken for a site's root ("http://example.com"), also
// where it names a file; kept on purpose, as kept captures resolve their references so.
constexpr std::array<std::string_view, 4> kDirectorySuffixes{".com", ".net", ".edu", ".gov"};

// Whether an image extension occurs anywhere in `line`. Each starts with a dot and a letter: so
// sixteen places at a time are looked at closer only where a dot stands before one of those
// letters, and what is left goes from dot to dot.
bool containsImageExtension(std::string_view line)
{
    static_assert(std::all_of(kImageExtensions.begin(), kImageExtensions.end(),
                              [](std::string_view extension) { return extension[0] == '.'; }));
    auto extensionAt = [&](std::size_t dot) {
        const std::string_view from = line.substr(dot);
        return std::any_of(
            kImageExtensions.begin(), kImageExtensions.end(),
            [&](std::string_view extension) { return startsWithNoCase(from, extension); });
    };
    std::size_t at = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::array<ByteLanes, kImageExtensions.size()> letters{};
        for (std::size_t i = 0; i < letters.size(); ++i)
            letters[i] =
                lanesOf(static_cast<unsigned char>(kImageExtensions[i][1] | kAsciiCaseBit));
        const ByteLanes dots = lanesOf('.');
        for (; at + 1 + sizeof(ByteLanes) <= line.size(); at += sizeof(ByteLanes)) {
            const ByteLanes bytes = loadLanes(line.data() + at);
            const ByteLanes nexts = loadLanes(line.data() + at + 1) | kAsciiCaseBit;
            auto beforeLetter = nexts == letters[0];
            for (std::size_t i = 1; i < letters.size(); ++i)
                beforeLetter |= nexts == letters[i];
            for (std::uint32_t standing = trueLanes((bytes == dots) & beforeLetter); standing != 0;
                 standing &= standing - 1)
                if (extensionAt(at + static_cast<std::size_t>(std::countr_zero(standing))))
                    return true;
        }
    }
    for (std::size_t dot = line.find('.', at); dot != npos; dot = line.find('.', dot + 1))
        if (extensionAt(dot))
            return true;
    return false;
}

bool isAdmitted(const ScanParameters& parameters, std::string_view line)
{
    if (!containsNoCase(line, parameters.tagMarker) ||
        !containsNoCase(line, parameters.attributeName))
        return false;
    if (!parameters.needsImageExtension)
        return true;
    return contains(line, ">") && containsImageExtension(line);
}

// Cuts the value out of the text that follows the attribute name. A quoted value ends at its
// closing quote, or at the first space when it has none; an unquoted one at the first space or
// just before the first ">". A space that ends a value stays part of it.
std::string cutValue(std::string value)
{
    const bool quoted = !value.empty() && value.front() == '"';
    value.erase(0, value.find_first_not_of('"'));
    if (quoted) {
        const std::size_t quote = value.find('"');
        if (quote != npos) {
            value.resize(quote + 1);
        } else {
            const std::size_t space = value.find(' ');
            value.resize(space == npos ? 0 : space + 1);
        }
    } else {
        const std::size_t space = value.find(' ');
        const std::size_t tagEnd = value.find('>');
        if (space != npos && (tagEnd == npos || space < tagEnd))
            value.resize(space + 1);
        else if (tagEnd != npos)
            value.resize(tagEnd);
    }
    std::erase(value, '"');
    return value;
}

// The reference of one admitted line, or nothing when the tag ends before its attribute starts.
std::optional<std::string> referenceOf(const ScanParameters& parameters, std::string_view line)
{
    const std::string_view name = parameters.attributeName;
    const std::size_t tagEnd = line.find('>');
    if (tagEnd != npos) {
        const std::size_t attribute = findNoCase(line, name);
        if (tagEnd < attribute)
            return std::nullopt;
        line = line.substr(attribute, tagEnd - attribute + 1);
    }
    std::string window(line);
    std::replace(window.begin(), window.end(), '\'', '"');
    // The value runs to the tag's end, or to the end of the line when the tag goes on.
    std::string value = window.substr(findNoCase(window, name) + name.size());
    const std::size_t valueEnd = value.find('>');
    if (valueEnd != npos)
        value.resize(valueEnd + 1);
    if (containsNoCase(value, "href="))
        value = replaceAllNoCase(value, "href=", "");
    return cutValue(std::move(value));
}

} // namespace

std::string PageDirectory(std::string_view pageAddress)
{
    const std::string_view lastFour =
        pageAddress.substr(pageAddress.size() - std::min<std::size_t>(4, pageAddress.size()));
    const bool isDirectory = pageAddress.ends_with('/') ||
                             std::find(kDirectorySuffixes.begin(), kDirectorySuffixes.end(),
                                       lastFour) != kDirectorySuffixes.end();
    return isDirectory ? std::string(pageAddress) : GetParentDir(pageAddress);
}

namespace
{

// Calls `onLine` for each line of the TagLines text, without its line end.
template <typename OnLine>
void forEachTagLine(const ScanParameters& parameters, std::string_view markup, OnLine&& onLine)
{
    const std::string_view marker = parameters.tagMarker;
    std::string filtered;
    std::string tagLine;
    forEachLine(markup, [&](std::string_view line) {
        if (parameters.removeCgiPrefix && containsNoCase(line, kCgiPrefix)) {
            filtered = replaceAllNoCase(line, kCgiPrefix, "");
            line = filtered;
        }
        for (std::size_t at = findNoCase(line, marker); at != npos;) {
            const std::size_t next = findNoCase(line, marker, at + marker.size());
            const std::string_view found = line.substr(at, next == npos ? npos : next - at);
            // A tag line starts with the marker as it is written here; most markup writes it so
            // already, and then the line is handed on where it stands.
            if (found.starts_with(marker)) {
                onLine(found);
            } else {
                tagLine.assign(marker).append(found.substr(marker.size()));
                onLine(std::string_view(tagLine));
            }
            at = next;
        }
    });
}

} // namespace

std::string TagLines(const ScanParameters& parameters, std::string_view markup)
{
    std::string lines;
    forEachTagLine(parameters, markup,
                   [&](std::string_view line) { lines.append(line).append(kLineEnd); });
    return lines;
}

ImageList ScanMarkup(const ScanParameters& parameters, std::string_view markup,
                     std::string_view pageAddress)
{
    ImageList found;
    const ReferenceResolver resolver(pageAddress, PageDirectory(pageAddress));
    forEachTagLine(parameters, markup, [&](std::string_view line) {
        if (!isAdmitted(parameters, line))
            return;
        const std::optional<std::string> reference = referenceOf(parameters, line);
        if (!reference)
            return;
        std::string name = GetFileName(*reference);
        if (found.contains(name))
            return; // resolving is the dearer step, so a repeated name is not resolved again
        found.add(std::move(name), resolver.resolve(*reference));
    });
    return found;
}

} // namespace varrow
