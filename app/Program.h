#pragma once

#include "shell/Form1.h"
#include "shell/WindowContext.h"
#include "shell/frmSplash.h"
#include "windows/Form8.h"
#include "windows/PageImagesWindow.h"
#include "windows/frmAbout.h"
#include "windows/frmWebsite.h"

#include <QPointer>

namespace varrow
{

// Creates the windows, owns them and their lifetimes, and is the context each of them sees.
class Program final : public WindowContext
{
public:
    explicit Program(ProgramServices services);
    ~Program() override;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    const ProgramServices& services() const override { return m_services; }
    const Identity& identity() const override { return m_identity; }
    // The banner's tip is picked once per run, so every call gives the same values.
    void LoadIdentity() override;

    bool MainWindowClosed = false;
    bool mainWindowClosed() const override { return MainWindowClosed; }
    void setMainWindowClosed(bool closed) override { MainWindowClosed = closed; }

    void start(); // loads and shows the splash window

    Form1& showMainWindow() override;
    Form8& showHelpWindow() override;
    frmAbout& showAboutWindow() override;
    frmWebsite& showSiteWindow() override;
    // The main window's Page Images window, modeless; needs the main window loaded.
    PageImagesWindow& showPageImagesWindow() override;

    // Loaded windows, or null.
    frmSplash* splashWindow() const;
    Form1* mainWindow() const;
    Form8* helpWindow() const;
    PageImagesWindow* pageImagesWindow() const;
    frmWebsite* siteWindow() const;

    bool isSiteWindowVisible() const override;
    void unloadSplashWindow() override;
    void unloadHelpWindow() override;
    void forgetWindow(QWidget* window) override;
    void loadSkin() override;
    void EndProgram() override;

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
