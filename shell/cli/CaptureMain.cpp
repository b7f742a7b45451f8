// varrow-capture with the browser engine: --load renders the page off screen first.
#include "capture/cli/CaptureCommand.h"
#include "platform/browser/EngineEnvironment.h"
#include "shell/cli/OffscreenPage.h"

#include <QApplication>
#include <iostream>
#include <sstream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const varrow::ParsedCommand parsed =
        varrow::parseCaptureCommand(arguments, std::cout, std::cerr);
    if (!parsed.options)
        return parsed.exitCode;
    const varrow::CaptureOptions options = *parsed.options;
    if (options.load.empty())
        return varrow::runCaptureCommand(options, std::cin, std::cout, std::cerr);

    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    int qtArgc = 1; // our options are not Qt's
    QApplication app(qtArgc, argv);
    varrow::openPageOffscreen(
        options.load, [&options](const varrow::LoadedPage* page, const std::string& problem) {
            const varrow::PageLoader loader = [&](const std::string&) {
                if (!page)
                    throw std::runtime_error(problem);
                return *page;
            };
            std::istringstream noInput;
            QCoreApplication::exit(
                varrow::runCaptureCommand(options, noInput, std::cout, std::cerr, loader));
        });
    return app.exec();
}
