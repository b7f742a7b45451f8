#pragma once

#include "platform/browser/BrowserControl.h"
#include "platform/versioninfo/VersionInfo.h"
#include "shell/Identity.h"

#include <QPointer>
#include <QString>
#include <filesystem>
#include <functional>

class QWidget;

namespace varrow
{

class Form1;
class Form8;
class frmAbout;
class frmSplash;
class frmWebsite;
class PageImagesWindow;
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

// Owns the windows and their lifetimes. A window is "loaded" while it exists; showing a window
// loads it first when needed, and showing a loaded window only brings it up again.
class Program
{
public:
    explicit Program(ProgramServices services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const ProgramServices& services() const { return m_services; }
    Identity& identity() { return m_identity; }
    // Re-reads the version information into identity(). The banner's tip is picked once per
    // run, so every call gives the same values.
    void LoadIdentity();

    // Set when the main window unloads while the site window is visible; the program then
    // ends when the site window unloads.
    bool MainWindowClosed = false;

    void start(); // loads and shows the splash window

    Form1& showMainWindow();
    Form8& showHelpWindow();
    frmAbout& showAboutWindow();
    frmWebsite& showSiteWindow();
    // The main window's Page Images window, modeless; needs the main window loaded.
    PageImagesWindow& showPageImagesWindow();

    // Loaded windows, or null.
    frmSplash* splashWindow() const;
    Form1* mainWindow() const;
    Form8* helpWindow() const;
    PageImagesWindow* pageImagesWindow() const;
    frmWebsite* siteWindow() const;

    bool isSiteWindowVisible() const;

    // Unloading destroys the window (later, from the event loop) and forgets it at once.
    void unloadSplashWindow();
    void unloadHelpWindow();
    // Called by each window's close handler once it has run its own unload steps.
    void forgetWindow(QWidget* window);

    void EndProgram();

private:
    ProgramServices m_services;
    Identity m_identity;
    int m_bannerTip;
    QPointer<frmSplash> m_splash;
    QPointer<Form1> m_main;
    QPointer<Form8> m_help;
    QPointer<frmAbout> m_about;
    QPointer<frmWebsite> m_site;
    QPointer<PageImagesWindow> m_pageImages; // a child window of the main window
};

} // namespace varrow
