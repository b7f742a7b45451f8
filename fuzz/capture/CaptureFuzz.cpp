// Runs the whole capture on one input in a program directory of its own: every step must succeed,
// the scratch files must end as one empty line, and the two pages on disk must be what the page
// builders give for the lists found.

#include "capture/CapturePage.h"
#include "capture/ImagePage.h"
#include "capture/SourcePage.h"
#include "fuzz/capture/FuzzSupport.h"
#include "platform/textfile/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace varrow;
    const fuzz::FuzzInput input = fuzz::splitInput(data, size);
    const WorkFiles files(fuzz::programDirectory());
    ImageLists lists;
    const CaptureResult result = CapturePage(files, input.markup, input.pageAddress, lists);
    fuzz::require(result.failures.empty(), "a capture step failed");
    fuzz::requireConsistentLists(lists);
    for (const std::string_view name :
         {WorkFiles::kMarkup, WorkFiles::kScratch, WorkFiles::kBrowser, WorkFiles::kImages})
        fuzz::require(readTextFile(files.pathOf(name)) == "\r\n", "working file not reset");
    fuzz::require(readTextFile(result.sourcePage) == BuildSourcePage(input.markup, lists) + "\r\n",
                  "source page on disk differs from the built one");
    fuzz::require(readTextFile(result.imagePage) == BuildImagePage(lists) + "\r\n",
                  "gallery on disk differs from the built one");
    return 0;
}
