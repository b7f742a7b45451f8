// varrow-load-page: renders one page in the browser engine, off screen, for varrow-capture
// --load. Writes the address the browser reports, a line feed and the body markup to standard
// output; when the page cannot be loaded, writes the reason and exits 1. With --save FOLDER it
// saves the page's pictures into FOLDER instead.
#include "capture/cli/PageLoaderProcess.h"
#include "platform/browser/EngineEnvironment.h"
#include "shell/cli/OffscreenPage.h"
#include "shell/cli/PagePictureSaving.h"

#include <QApplication>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const bool save = argc == 4 && std::string(argv[1]) == "--save";
    if (argc != 2 && !save) {
        std::cerr << "Usage: " << varrow::kPageLoaderName << " [--save FOLDER] ADDRESS_OR_FILE\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    int qtArgc = 1; // the page is not an option of Qt's
    QApplication app(qtArgc, argv);
    if (save) {
        varrow::savePagePictures(argv[3], argv[2]);
        return app.exec();
    }
    varrow::openPageOffscreen(argv[1],
                              [](const varrow::LoadedPage* page, const std::string& problem) {
                                  if (page)
                                      std::cout << page->address << '\n' << page->markup;
                                  else
                                      std::cout << problem << '\n';
                                  std::cout.flush();
                                  QCoreApplication::exit(page && std::cout ? 0 : 1);
                              });
    return app.exec();
}
