// varrow-load-page: renders one page in the browser engine, off screen, for varrow-capture
// --load. Writes the address the browser reports, a line feed and the body markup to standard
// output; with --inventory, writes the page's pictures as JSON Lines instead; with --save FOLDER
// --max-bytes N, saves them into FOLDER (see PagePictureSaving). When the page cannot be loaded or
// its pictures listed, writes the reason and exits 1 (kPageNotLoaded with --save).
#include "capture/cli/PageLoaderProcess.h"
#include "extract/PageImageExport.h"
#include "platform/browser/EngineEnvironment.h"
#include "shell/cli/OffscreenPage.h"
#include "shell/cli/PagePictureSaving.h"
#include "shell/cli/StopSignals.h"

#include <QApplication>
#include <cmath>
#include <iostream>
#include <optional>
#include <string_view>

namespace
{

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

// Ends the program after the run: 0 when what it printed reached standard output.
void endRun(bool succeeded)
{
    std::cout.flush();
    QCoreApplication::exit(succeeded && std::cout ? 0 : 1);
}

} // namespace

int main(int argc, char** argv)
{
    const auto arguments = parseArguments(argc, argv);
    if (!arguments) {
        std::cerr << "Usage: " << varrow::kPageLoaderName
                  << " [--inventory --settle SECONDS | --save FOLDER --max-bytes N]"
                     " ADDRESS_OR_FILE\n";
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
