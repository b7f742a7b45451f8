#pragma once

#include "extract/ImageLists.h"
#include "platform/textfile/DeferredTextFiles.h"

#include <filesystem>
#include <string>
#include <string_view>

// The line-by-line markup scan that both scanners share, and the two scanners.
namespace varrow
{

// What one scanner looks for.
struct ScanParameters {
    std::string_view tagMarker;     // T: written in lower case into the split markup
    std::string_view attributeName; // V: the attribute whose value is the reference
    bool removeCgiPrefix;           // drop every "cgi-bin/i/" from each line first
    bool needsImageExtension;       // admit only lines with ">" and an image file extension
    std::size_t listIndex;          // which pair of ImageLists receives the findings
};

inline constexpr ScanParameters kImageScan{"<img", "src=", false, false,
                                           ImageLists::kEmbeddedImages};
inline constexpr ScanParameters kLinkScan{"<a ", "href=", true, true, ImageLists::kLinkedImages};

// The two working files of a scan: the captured markup (read only) and the scratch file that
// holds the split markup. The scans read and write them through `store`, so that a capture can
// keep their texts in memory.
struct ScanFiles {
    DeferredTextFiles& store;
    std::filesystem::path markup;
    std::filesystem::path scratch;
};

// The page directory: the address itself when it ends in "/" or in ".com", ".net", ".edu" or
// ".gov" (exact case), otherwise GetParentDir of it.
std::string PageDirectory(std::string_view pageAddress);

// What the scratch file holds after the two passes over `markup`: the lines with a tag marker
// (after the line pre-filter), split so that every marker starts a line, and of those the lines
// with a marker, each followed by CR LF. So every marker found (in any letter case) starts a line,
// written in lower case, that runs to the next marker or to the end of its markup line; the text
// before a markup line's first marker is dropped. Gives the same text as the 100 repetitions of
// the tag split between the two filters.
std::string TagLines(const ScanParameters& parameters, std::string_view markup);

// Appends to the chosen pair of `lists` every reference found in the markup file whose file name
// is not listed there yet, resolved against `pageAddress`. Rewrites the scratch file with the
// TagLines of the markup on the way.
// A line whose tag ends before its attribute starts is skipped. Throws FileError when a file
// cannot be read or written; entries appended before stay.
void ScanMarkup(const ScanParameters& parameters, const ScanFiles& files,
                std::string_view pageAddress, ImageLists& lists);

// The image scan: every "<img" tag's src value, into frmList(1) and Links(1).
inline void ExtractImages(const ScanFiles& files, std::string_view pageAddress, ImageLists& lists)
{
    ScanMarkup(kImageScan, files, pageAddress, lists);
}

// The link scan: every "<a " tag's href value on a line that names a ".bmp", ".gif", ".jpeg" or
// ".jpg" file, into frmList(0) and Links(0).
inline void ExtractImageLinks(const ScanFiles& files, std::string_view pageAddress,
                              ImageLists& lists)
{
    ScanMarkup(kLinkScan, files, pageAddress, lists);
}

} // namespace varrow
