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
    // The markup and scratch files are read back within the capture and end as one empty line
    // each, so their texts stay in memory; only what differs at the end reaches the disk.
    DeferredTextFiles workingFiles;
    const ScanFiles scanFiles = files.scanFiles(workingFiles);
    std::string sourcePage;

    runStep(failures, [&] { workingFiles.writeBorrowed(scanFiles.markup, markup); });
    lists.clear();
    runStep(failures, [&] { ExtractImages(scanFiles, pageAddress, lists); });
    runStep(failures, [&] { ExtractImageLinks(scanFiles, pageAddress, lists); });
    runStep(failures, [&] { sourcePage = BuildSourcePage(markup, lists); });
    runStep(failures, [&] { WriteImagePage(result.imagePage, lists); });
    runStep(failures, [&] { writeTextFile(result.sourcePage, sourcePage); });
    runStep(failures, [&] { files.ResetWorkFiles(workingFiles); });
    for (const FileError& failure : workingFiles.commit())
        failures.emplace_back(failure.what());
    return result;
}

} // namespace varrow
