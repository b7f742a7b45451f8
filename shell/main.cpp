// Varrow: starts with the splash window, which opens the main window.
#include "platform/browser/EngineEnvironment.h"
#include "platform/browser/WebEngineBrowser.h"
#include "platform/desktop/FileDialog.h"
#include "platform/desktop/SettingsStore.h"
#include "platform/versioninfo/VersionInfo.h"
#include "shell/Program.h"
#include "shell/WorkingDirectory.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <iostream>

namespace
{

constexpr const char* kUsage = "Usage: varrow [--help]\n"
                               "Starts the Varrow browser. It takes no arguments of its own.\n";

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

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

    const QString programDirectory = QCoreApplication::applicationDirPath();
    const QString startPage = QDir(programDirectory).filePath("start/index.html");
    if (QFileInfo::exists(startPage))
        varrow::WebEngineBrowser::setHomePage(QUrl::fromLocalFile(startPage));

    varrow::SettingsStore settings;
    varrow::ProgramServices services;
    services.makeBrowser = [](QWidget* parent, varrow::BrowserRole role) {
        return new varrow::WebEngineBrowser(parent, role);
    };
    services.chooseFileToOpen = varrow::chooseFileToOpen;
    services.readVersionInfo = varrow::readOwnVersionInfo;
    services.endProgram = [] { QCoreApplication::exit(0); };
    services.settings = &settings;
    services.programDirectory = toPath(programDirectory);
    services.workingDirectory = varrow::chooseWorkingDirectory(
        services.programDirectory,
        toPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));

    varrow::Program program(std::move(services));
    program.start();
    return app.exec();
}
