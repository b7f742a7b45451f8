#pragma once

#include "integration/Skin.h"
#include "shell/MainWindow.h"
#include "shell/SplashWindow.h"
#include "shell/WindowContext.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PageImagesWindow.h"
#include "windows/SiteWindow.h"

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

    bool mainWindowClosed() const override { return m_mainWindowClosed; }
    void setMainWindowClosed(bool closed) override { m_mainWindowClosed = closed; }

    void start(); // loads and shows the splash window
    const Skin& skin() const { return m_skin; }

    MainWindow& showMainWindow() override;
    HelpWindow& showHelpWindow() override;
    AboutWindow& showAboutWindow() override;
    SiteWindow& showSiteWindow() override;
    // The main window's Page Images window, modeless; needs the main window loaded.
    PageImagesWindow& showPageImagesWindow() override;
    // What the Page Images window lists: the main window's browser view, its page and the finder
    // watching it from the view's first page on. Empty while no main window was made.
    const PageImagesSources& pageImagesSources() const { return m_pageImagesSources; }

    // Loaded windows, or null.
    SplashWindow* splashWindow() const;
    MainWindow* mainWindow() const;
    HelpWindow* helpWindow() const;
    PageImagesWindow* pageImagesWindow() const;
    SiteWindow* siteWindow() const;

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
    bool m_mainWindowClosed = false;
    Skin m_skin; // the skin of every window when skinning is on
    QPointer<SplashWindow> m_splash;
    QPointer<MainWindow> m_main;
    QPointer<HelpWindow> m_help;
    QPointer<AboutWindow> m_about;
    QPointer<SiteWindow> m_site;
    QPointer<PageImagesWindow> m_pageImages; // a child window of the main window
    PageImagesSources m_pageImagesSources;
};

} // namespace varrow
