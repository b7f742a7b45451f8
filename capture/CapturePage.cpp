#include "capture/CapturePage.h"

#include "capture/ImagePage.h"
#include "capture/SourcePage.h"
#include "extract/MarkupScan.h"
#include "platform/textfile/DeferredTextFiles.h"
#include "platform/textfile/TextFile.h"

#include <exception>
#include <new>
#include <optional>

namespace varrow
{

namespace
{

// Runs one step; a failure is noted and otherwise ignored, so that the next step still runs.
// Returns whether the step succeeded.
template <typename Step> bool runStep(std::vector<std::string>& failures, Step&& step)
{
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
        failures.emplace_back("out of memory");
        return false;
    } catch (const std::exception& error) {
        failures.emplace_back(error.what());
        return false;
    }
}

// The text that a file written by writeTextFile was given: its content less the final CR LF.
std::string textOfFile(const std::filesystem::path& path)
{
    std::string text = readTextFile(path);
    if (text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    return text;
}

} // namespace

CaptureResult CapturePage(const WorkFiles& files, std::string_view markup,
                          std::string_view pageAddress, ImageLists& lists)
{
    CaptureResult result{
        files.pathOf(WorkFiles::kSourcePage), files.pathOf(WorkFiles::kImagePage), {}};
    std::vector<std::string>& failures = result.failures;
    const std::filesystem::path markupFile = files.pathOf(WorkFiles::kMarkup);
    const std::filesystem::path scratchFile = files.pathOf(WorkFiles::kScratch);
    // The markup and scratch files end the capture as one empty line each, so their texts in
    // between stay in memory; only what differs at the end reaches the disk.
    DeferredTextFiles workingFiles;

    const bool markupWritten =
        runStep(failures, [&] { workingFiles.writeBorrowed(markupFile, markup); });
    lists.clear();
    // The scans read "checkImages.txt": the markup, or what the file held before when the markup
    // could not be written there. Each writes its split markup (TagLines) to the scratch file, and
    // has found nothing when that fails. The reset empties the scratch file again unless it stops
    // at the markup file first, so only then is the split markup built.
    auto scan = [&](const ScanParameters& parameters) {
        runStep(failures, [&] {
            const std::string held = markupWritten ? std::string() : textOfFile(markupFile);
            const std::string_view scanned = markupWritten ? markup : held;
            ImageList found = ScanMarkup(parameters, scanned, pageAddress);
            if (markupWritten)
                workingFiles.check(scratchFile);
            else
                workingFiles.write(scratchFile, TagLines(parameters, scanned));
            lists[parameters.listIndex] = std::move(found);
        });
    };
    scan(kImageScan);
    scan(kLinkScan);
    std::optional<SourcePage> sourcePage;
    runStep(failures, [&] { sourcePage.emplace(markup, lists); });
    runStep(failures, [&] { WriteImagePage(result.imagePage, lists); });
    // A source page that could not be built leaves the last one in place, as a failed write does.
    if (sourcePage)
        runStep(failures, [&] { sourcePage->write(result.sourcePage); });
    runStep(failures, [&] { files.ResetWorkFiles(workingFiles); });
    for (const FileError& failure : workingFiles.commit())
        failures.emplace_back(failure.what());
    return result;
}

} // namespace varrow
