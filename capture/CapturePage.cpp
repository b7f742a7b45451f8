#include "capture/CapturePage.h"

#include "capture/ImagePage.h"
#include "capture/SourcePage.h"
#include "extract/MarkupScan.h"
#include "platform/textfile/TextFile.h"

#include <exception>

namespace varrow
{

namespace
{

// Runs one step; a failure is noted and otherwise ignored, so that the next step still runs.
template <typename Step> void runStep(std::vector<std::string>& failures, Step&& step)
{
    try {
        step();
    } catch (const std::exception& error) {
        failures.emplace_back(error.what());
    }
}

} // namespace

CaptureResult CapturePage(const WorkFiles& files, std::string_view markup,
                          std::string_view pageAddress, ImageLists& lists)
{
    CaptureResult result{
        files.pathOf(WorkFiles::kSourcePage), files.pathOf(WorkFiles::kImagePage), {}};
    std::vector<std::string>& failures = result.failures;
    const ScanFiles scanFiles = files.scanFiles();
    std::string sourcePage;

    runStep(failures, [&] { writeTextFile(scanFiles.markup, markup); });
    lists.clear();
    runStep(failures, [&] { ExtractImages(scanFiles, pageAddress, lists); });
    runStep(failures, [&] { ExtractImageLinks(scanFiles, pageAddress, lists); });
    runStep(failures, [&] { sourcePage = BuildSourcePage(markup, lists); });
    runStep(failures, [&] { WriteImagePage(result.imagePage, lists); });
    runStep(failures, [&] { writeTextFile(result.sourcePage, sourcePage); });
    runStep(failures, [&] { files.ResetWorkFiles(); });
    return result;
}

} // namespace varrow
