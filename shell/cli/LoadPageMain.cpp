// varrow-load-page: renders one page in the browser engine, off screen, for varrow-capture
// --load. Writes the address the browser reports, a line feed and the body markup to standard
// output; with --inventory, writes the page's pictures as JSON Lines instead; with --save FOLDER
// --max-bytes N, saves them into FOLDER (see PagePictureSaving). When the page cannot be loaded or
// its pictures listed, writes the reason and exits 1 (kPageNotLoaded with --save). With --list,
// renders every page that standard input names instead (see PageListLoader).
#include "capture/cli/PageLoaderProcess.h"
#include "capture/cli/PageRecords.h"
#include "extract/PageImageExport.h"
#include "platform/browser/EngineEnvironment.h"
#include "shell/cli/OffscreenPage.h"
#include "shell/cli/PageListLoader.h"
#include "shell/cli/PagePictureSaving.h"
#include "shell/cli/StopSignals.h"

#include <QApplication>
#include <cmath>
#include <csignal>
#include <iostream>
#include <optional>
#include <string_view>
#include <sys/prctl.h>
#include <unistd.h>
#include <vector>

namespace
{

// The most bytes of one record on the input of --list: an address or a folder.
constexpr std::size_t kMaxJobRecordBytes = std::size_t{1} << 20;

// The page to render and, with --inventory, how long to wait for late pictures, or with --save,
// where to save them.
struct LoaderArguments {
    std::string page;
    std::optional<double> inventorySettleSeconds;
    std::string saveFolder;
    std::int64_t maxBytes = 0;
};

std::optional<LoaderArguments> parseArguments(int argc, char** argv)
{
    if (argc == 2)
        return LoaderArguments{argv[1], std::nullopt, {}, 0};
    if (argc == 6 && std::string_view(argv[1]) == "--save" &&
        std::string_view(argv[3]) == "--max-bytes") {
        if (const auto bytes = varrow::parseByteCount<std::int64_t>(argv[4]))
            return LoaderArguments{argv[5], std::nullopt, argv[2], *bytes};
    }
    if (argc == 5 && std::string_view(argv[1]) == "--inventory" &&
        std::string_view(argv[2]) == "--settle") {
        if (const auto seconds = varrow::parseSettleSeconds(argv[3]))
            return LoaderArguments{argv[4], seconds, {}, 0};
    }
    return std::nullopt;
}

// The settings of "--list --jobs N --page-timeout SECONDS --max-markup BYTES [--inventory]
// [--max-bytes N]"; nothing for any other arguments.
std::optional<varrow::PageListSettings> parseListArguments(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (arguments.size() < 7 || arguments[0] != "--list" || arguments[1] != "--jobs" ||
        arguments[3] != "--page-timeout" || arguments[5] != "--max-markup")
        return std::nullopt;
    const auto jobs = varrow::parseByteCount<std::size_t>(arguments[2]);
    const auto seconds = varrow::parseSettleSeconds(arguments[4]);
    const auto maxMarkup = varrow::parseByteCount<std::size_t>(arguments[6]);
    if (!jobs || !seconds || *seconds <= 0 || !maxMarkup)
        return std::nullopt;
    varrow::PageListSettings settings{*jobs, *seconds, *maxMarkup, false,
                                      varrow::kDefaultMaxPictureBytes};
    std::size_t next = 7;
    if (next < arguments.size() && arguments[next] == "--inventory") {
        settings.inventory = true;
        ++next;
    }
    if (next + 1 < arguments.size() && arguments[next] == "--max-bytes") {
        const auto bytes = varrow::parseByteCount<std::int64_t>(arguments[next + 1]);
        if (!bytes)
            return std::nullopt;
        settings.maxPictureBytes = *bytes;
        next += 2;
    }
    if (next != arguments.size())
        return std::nullopt;
    return settings;
}

// The jobs that standard input names, read to its end; nothing when it is no list of records.
std::optional<std::vector<varrow::PageListJob>> readJobs()
{
    varrow::PageRecordReader reader([](std::string_view) { return kMaxJobRecordBytes; });
    std::vector<varrow::PageListJob> jobs;
    char chunk[1 << 16];
    try {
        while (std::cin.read(chunk, sizeof chunk) || std::cin.gcount() > 0) {
            reader.add({chunk, std::size_t(std::cin.gcount())});
            while (auto record = reader.next()) {
                if (record->index > jobs.size())
                    return std::nullopt;
                if (record->index == jobs.size())
                    jobs.emplace_back();
                if (record->kind == varrow::listrecord::kPage)
                    jobs[record->index].address = std::move(record->payload);
                else if (record->kind == varrow::listrecord::kPictures)
                    jobs[record->index].picturesFolder = std::move(record->payload);
                else
                    return std::nullopt;
            }
        }
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
    if (reader.holdsPartialRecord())
        return std::nullopt;
    return jobs;
}

// Ends the program after the run: 0 when what it printed reached standard output.
void endRun(bool succeeded)
{
    std::cout.flush();
    QCoreApplication::exit(succeeded && std::cout ? 0 : 1);
}

} // namespace

int runList(char** argv, const varrow::PageListSettings& settings)
{
    std::ios::sync_with_stdio(false);
    auto jobs = readJobs();
    if (!jobs) {
        std::cerr << varrow::kPageLoaderName << ": standard input holds no list of pages\n";
        return 2;
    }
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    varrow::StopSignals stops;
    // varrow-capture killed outright stops the list here too, as a stop signal does: nobody
    // reads the pages any more, and the pages still loading leave no partial file.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() == 1)
        raise(SIGTERM);
    varrow::PageListLoader loader(std::move(*jobs), settings, stops);
    loader.start();
    return app.exec();
}

int main(int argc, char** argv)
{
    if (const auto listSettings = parseListArguments(argc, argv))
        return runList(argv, *listSettings);
    const auto arguments = parseArguments(argc, argv);
    if (!arguments) {
        std::cerr << "Usage: " << varrow::kPageLoaderName
                  << " [--inventory --settle SECONDS | --save FOLDER --max-bytes N]"
                     " ADDRESS_OR_FILE\n"
                  << "       " << varrow::kPageLoaderName
                  << " --list --jobs N --page-timeout SECONDS --max-markup BYTES [--inventory]"
                     " [--max-bytes N] < RECORDS\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    int qtArgc = 1; // the page is not an option of Qt's
    QApplication app(qtArgc, argv);
    // A save stopped from outside removes its partial files; the other runs write none.
    std::optional<varrow::StopSignals> stops;
    if (!arguments->saveFolder.empty()) {
        varrow::savePagePictures(arguments->page, arguments->saveFolder, arguments->maxBytes,
                                 stops.emplace());
    } else if (const auto settleSeconds = arguments->inventorySettleSeconds) {
        varrow::findPageImagesOffscreen(arguments->page, int(std::lround(*settleSeconds * 1000)),
                                        [](const varrow::PageImageInventory* inventory,
                                           const std::string& problem, QWebEnginePage*) {
                                            if (!inventory) {
                                                std::cout << problem << '\n';
                                                return endRun(false);
                                            }
                                            for (const varrow::PageImage& image :
                                                 inventory->images())
                                                std::cout << varrow::imageJsonLine(image) << '\n';
                                            endRun(true);
                                        });
    } else {
        varrow::openPageOffscreen(arguments->page,
                                  [](const varrow::LoadedPage* page, const std::string& problem) {
                                      if (page)
                                          std::cout << page->address << '\n' << page->markup;
                                      else
                                          std::cout << problem << '\n';
                                      endRun(page != nullptr);
                                  });
    }
    return app.exec();
}
