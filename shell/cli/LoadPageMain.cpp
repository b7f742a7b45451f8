// varrow-load-page: renders one page in the browser engine, off screen, for varrow-capture
// --load. Writes the address the browser reports, a line feed and the body markup to standard
// output; when the page cannot be loaded, writes the reason and exits 1.
#include "capture/cli/PageLoaderProcess.h"
#include "platform/browser/EngineEnvironment.h"
#include "shell/cli/OffscreenPage.h"

#include <QApplication>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Usage: " << varrow::kPageLoaderName << " ADDRESS_OR_FILE\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    int qtArgc = 1; // the page is not an option of Qt's
    QApplication app(qtArgc, argv);
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
