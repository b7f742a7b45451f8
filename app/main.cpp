// Varrow: starts with the splash window, which opens the main window.
#include "app/DesktopServices.h"
#include "app/Program.h"
#include "platform/browser/EngineEnvironment.h"
#include "platform/desktop/SettingsStore.h"

#include <QApplication>
#include <iostream>

namespace
{

constexpr const char* kUsage = "Usage: varrow [--help]\n"
                               "Starts the Varrow browser. It takes no arguments of its own.\n";

} // namespace

int main(int argc, char** argv)
{
    varrow::prepareEngineEnvironment(/*offscreen=*/false);
    QApplication app(argc, argv); // takes Qt's own options away
    const QStringList arguments = app.arguments();
    if (arguments.size() > 1) {
        const bool help = arguments[1] == "--help";
        (help ? std::cout : std::cerr) << kUsage;
        return help ? 0 : 2;
    }
    app.setQuitOnLastWindowClosed(false); // the windows decide when the program ends

    varrow::SettingsStore settings;
    varrow::Program program(varrow::desktopServices(settings));
    program.start();
    return app.exec();
}
