#pragma once

#include "capture/LinkSubstitution.h"
#include "capture/SafeMarkup.h"
#include "capture/SourcePage.h"
#include "extract/ImageLists.h"
#include "extract/MarkupScan.h"
#include "extract/TextSearch.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// Straightforward versions of the capture's costly steps, done the slow and literal way, for
// the tests and the fuzzers to compare the production code with.
namespace varrow::literal
{

// The lines of `text` that contain the marker (after removing every "cgi-bin/i/" when asked), each
// followed by CR LF.
inline std::string filterLines(std::string_view text, std::string_view marker, bool removeCgiPrefix)
{
    std::string kept;
    forEachLine(text, [&](std::string_view line) {
        const std::string filtered =
            removeCgiPrefix ? replaceAllNoCase(line, "cgi-bin/i/", "") : std::string(line);
        if (containsNoCase(filtered, marker))
            kept += filtered + "\r\n";
    });
    return kept;
}

// The two passes over a markup file, with 100 real repetitions of both tag-split replacements.
inline std::string tagLines(const ScanParameters& parameters, std::string_view markup)
{
    const std::string_view marker = parameters.tagMarker;
    std::string buffer = filterLines(markup, marker, parameters.removeCgiPrefix);
    for (int repetition = 0; repetition < 100; ++repetition) {
        buffer = replaceAllNoCase(buffer, marker, "\r\n" + std::string(marker));
        buffer = replaceAll(buffer, "\r\n\r\n", "\r\n");
    }
    return filterLines(buffer, marker, false);
}

// The link substitution: one pass per name over the whole current text, left to right. Each byte
// is marked as text, as address or as a link's own tag: an occurrence that touches a tag, or lies
// partly in text and partly in an address, is left alone; one in an address gets the quoted link.
// A pass whose result is longer than `maxLength` is undone.
inline std::string substitution(std::string text, const std::vector<Substitution>& passes,
                                std::size_t maxLength)
{
    constexpr char kText = 'T', kAddress = 'A', kTag = 'S';
    std::string kinds(text.size(), kText);
    for (const Substitution& pass : passes) {
        const std::string_view name = pass.name;
        if (name.empty())
            continue;
        std::string nextText, nextKinds;
        std::size_t copied = 0;
        bool tooLong = false;
        for (std::size_t at = text.find(name); at != std::string::npos && !tooLong;) {
            const std::string_view span = std::string_view(kinds).substr(at, name.size());
            if (span.find(kTag) != std::string_view::npos ||
                span.find_first_not_of(span.front()) != std::string_view::npos) {
                at = text.find(name, at + 1);
                continue;
            }
            const bool inAddress = span.front() == kAddress;
            const Anchor anchor =
                inAddress ? anchorInAddress(pass.address, name) : anchorFor(pass.address, name);
            std::string anchorKinds(anchor.markup.size(), kTag);
            std::fill(anchorKinds.begin() + anchor.addressBegin,
                      anchorKinds.begin() + anchor.addressEnd, kAddress);
            std::fill(anchorKinds.begin() + anchor.nameBegin, anchorKinds.begin() + anchor.nameEnd,
                      inAddress ? kAddress : kText);
            nextText.append(text, copied, at - copied).append(anchor.markup);
            nextKinds.append(kinds, copied, at - copied).append(anchorKinds);
            copied = at + name.size();
            // The rest of the text only adds to the length, so the pass fails already.
            tooLong = nextText.size() + (text.size() - copied) > maxLength;
            at = text.find(name, copied);
        }
        if (tooLong)
            continue;
        text = nextText.append(text, copied);
        kinds = nextKinds.append(kinds, copied);
    }
    return text;
}

// The source page: "<" escaped, CR and LF each a "<BR>", then one substitution pass per listed
// name, index 0 first, each over the whole current text, as long as the page stays within `bound`.
inline std::string sourcePage(std::string_view markup, const ImageLists& lists,
                              const SourcePageBound& bound)
{
    std::string page =
        replaceAll(replaceAll(replaceAll(markup, "<", "&lt;"), "\r", "<BR>"), "\n", "<BR>");
    std::vector<Substitution> passes;
    for (std::size_t k = 0; k < 2; ++k)
        for (const FoundImage& image : lists[k])
            passes.push_back({image.name, image.address});
    const std::size_t maxLength = page.size() * bound.timesMarkup + bound.allowance;
    return substitution(std::move(page), passes, maxLength);
}

} // namespace varrow::literal
