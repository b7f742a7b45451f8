#pragma once

#include "extract/ImageLists.h"

#include <string>
#include <string_view>
#include <vector>

// The line-by-line markup scan that both scanners share, and the two scanners.
namespace varrow
{

// What one scanner looks for.
struct ScanParameters {
    std::string_view tagMarker;     // T: written in lower case into the split markup
    std::string_view attributeName; // V: the attribute whose value is the reference
    bool removeCgiPrefix;           // drop every "cgi-bin/i/" from each line first
    bool needsImageExtension;       // admit only lines with ">" and an image file extension
    std::size_t listIndex;          // which of the ImageLists receives the findings
};

inline constexpr ScanParameters kImageScan{"<img", "src=", false, false,
                                           ImageLists::kEmbeddedImages};
inline constexpr ScanParameters kLinkScan{"<a ", "href=", true, true, ImageLists::kLinkedImages};

// The page directory: the address itself when it ends in "/" or in ".com", ".net", ".edu" or
// ".gov" (exact case), otherwise GetParentDir of it.
std::string PageDirectory(std::string_view pageAddress);

// What the scratch file holds after the two passes of a scan over `markup`: the lines with a tag
// marker (after the line pre-filter), split so that every marker starts a line, and of those the
// lines with a marker, each followed by CR LF. So every marker found (in any letter case) starts a
// line, written in lower case, that runs to the next marker or to the end of its markup line; the
// text before a markup line's first marker is dropped. Gives the same text as the 100 repetitions
// of the tag split between the two filters: their result, not their work, is kept on purpose, as
// the scratch file of every capture holds it and kept captures are compared with it.
std::string TagLines(const ScanParameters& parameters, std::string_view markup);

// Scans `markup` (the text of "checkImages.txt" without its final CR LF) for the references of
// one kind, resolved against `pageAddress`: the lines of its TagLines, one by one. A line whose
// tag ends before its attribute starts is skipped.
ImageList ScanMarkup(const ScanParameters& parameters, std::string_view markup,
                     std::string_view pageAddress);

// The image scan: every "<img" tag's src value.
inline ImageList ExtractImages(std::string_view markup, std::string_view pageAddress)
{
    return ScanMarkup(kImageScan, markup, pageAddress);
}

// The link scan: every "<a " tag's href value on a line that names a ".bmp", ".gif", ".jpeg" or
// ".jpg" file.
inline ImageList ExtractImageLinks(std::string_view markup, std::string_view pageAddress)
{
    return ScanMarkup(kLinkScan, markup, pageAddress);
}

} // namespace varrow
