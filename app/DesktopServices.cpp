#include "app/DesktopServices.h"

#include "platform/browser/WebEngineBrowser.h"
#include "platform/desktop/FileDialog.h"
#include "platform/versioninfo/VersionInfo.h"
#include "shell/ProgramDirectory.h"
#include "shell/WorkingDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace varrow
{
namespace
{

std::filesystem::path toPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

} // namespace

ProgramServices desktopServices(SettingsStore& settings)
{
    const std::filesystem::path executableDirectory =
        toPath(QCoreApplication::applicationDirPath());
    const std::filesystem::path programFiles = findProgramDirectory(executableDirectory);
    // An installed program keeps its folder as installed: its working files go to the user's.
    const bool installed = programFiles != executableDirectory;
    const QString programDirectory = QString::fromStdString(programFiles.string());
    const QString startPage = QDir(programDirectory).filePath("start/index.html");
    if (QFileInfo::exists(startPage))
        WebEngineBrowser::setHomePage(QUrl::fromLocalFile(startPage));

    ProgramServices services;
    services.makeBrowser = [](QWidget* parent, BrowserRole role) {
        return new WebEngineBrowser(parent, role);
    };
    services.chooseFileToOpen = chooseFileToOpen;
    services.readVersionInfo = readOwnVersionInfo;
    services.endProgram = [] { QCoreApplication::exit(0); };
    services.settings = &settings;
    services.programDirectory = toPath(programDirectory);
    services.workingDirectory = chooseWorkingDirectory(
        installed ? std::filesystem::path() : services.programDirectory,
        toPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
    return services;
}

} // namespace varrow
