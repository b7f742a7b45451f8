#pragma once

#include "platform/browser/BrowserControl.h"
#include "platform/versioninfo/VersionInfo.h"

#include <QString>
#include <filesystem>
#include <functional>

class QWidget;

namespace varrow
{

class SettingsStore;

// What the windows need from their surroundings; tests replace any of it.
struct ProgramServices {
    // Creates a browser whose view is a child of `parent`.
    std::function<BrowserControl*(QWidget* parent, BrowserRole role)> makeBrowser;
    // Shows the open-file dialog; the chosen path, or an empty text when cancelled.
    std::function<QString(QWidget* parent)> chooseFileToOpen;
    // The running executable's version information, read afresh on every call.
    std::function<VersionInfo()> readVersionInfo;
    // Ends the process (the event loop) at once.
    std::function<void()> endProgram;
    SettingsStore* settings = nullptr;
    // Where the program's own files lie ("Help.rtf", icons, the start page).
    std::filesystem::path programDirectory;
    // Where the working files go: the program directory, or the per-user data directory when
    // that cannot be written.
    std::filesystem::path workingDirectory;
};

} // namespace varrow
