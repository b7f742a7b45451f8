// Runs the scans and the page builders in memory on one input and compares them with the literal
// passes: the scratch text with the 100 repetitions of the tag split, the source page with one
// whole-text pass per name. Both pages must hold no markup but their own.

#include "capture/ImagePage.h"
#include "capture/SourcePage.h"
#include "extract/MarkupScan.h"
#include "fuzz/capture/FuzzSupport.h"
#include "fuzz/capture/PageSafety.h"
#include "tests/reference/LiteralCapture.h"

namespace
{

// The literal passes are slow: the tag split rewrites the markup 200 times, the substitution
// makes one pass over the page per name. Beyond these sizes an input skips the comparison. The
// work limit also keeps the occurrences of names (at most the passes times twice the source page)
// below the least budget of the substitution, which the literal passes do not have. The source
// page is bounded far below the program's bound, so that passes fail often.
constexpr std::size_t kLiteralSplitLimit = 4096;
constexpr std::size_t kLiteralWorkLimit = std::size_t{1} << 18;
constexpr varrow::SourcePageBound kFuzzedBound{1, std::size_t{64} << 10};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace varrow;
    const fuzz::FuzzInput input = fuzz::splitInput(data, size);
    ImageLists lists;
    for (const ScanParameters& parameters : {kImageScan, kLinkScan}) {
        ImageList found = ScanMarkup(parameters, input.markup, input.pageAddress);
        if (input.markup.size() <= kLiteralSplitLimit)
            fuzz::require(TagLines(parameters, input.markup) ==
                              literal::tagLines(parameters, input.markup),
                          "scratch text differs from the literal passes");
        lists[parameters.listIndex] = std::move(found);
    }
    fuzz::requireConsistentLists(lists);

    const std::string sourcePage = BuildSourcePage(input.markup, lists, kFuzzedBound);
    const std::size_t names = lists[0].size() + lists[1].size();
    if (names * sourcePage.size() <= kLiteralWorkLimit)
        fuzz::require(sourcePage == literal::sourcePage(input.markup, lists, kFuzzedBound),
                      "source page differs from the literal passes");
    fuzz::require(fuzz::findForeignMarkup(sourcePage) == std::string_view::npos,
                  "page text became markup in the source page");
    fuzz::require(fuzz::findForeignMarkup(BuildImagePage(lists)) == std::string_view::npos,
                  "page text became markup in the gallery");
    return 0;
}
