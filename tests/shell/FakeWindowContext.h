#pragma once

#include "shell/WindowContext.h"
#include "tests/support/FakeBrowser.h"

#include <QStringList>
#include <QWidget>
#include <functional>

namespace varrow::testing
{

// A window's surroundings without the program: scripted browsers, a fixed identity, and a list
// of what the window asked for, in order.
class FakeWindowContext final : public WindowContext
{
public:
    FakeWindowContext()
    {
        m_services.makeBrowser = [](QWidget* parent, BrowserRole role) {
            return new FakeBrowser(parent, role);
        };
        m_identity.ProductNameText = "Varrow";
        m_identity.CompanyNameText = "Varrow Project";
    }

    const ProgramServices& services() const override { return m_services; }
    const Identity& identity() const override { return m_identity; }
    void LoadIdentity() override { calls << "LoadIdentity"; }
    bool mainWindowClosed() const override { return m_mainWindowClosed; }
    void setMainWindowClosed(bool closed) override
    {
        m_mainWindowClosed = closed;
        calls << (closed ? "setMainWindowClosed true" : "setMainWindowClosed false");
    }
    QWidget& showMainWindow() override { return shown("showMainWindow"); }
    QWidget& showHelpWindow() override { return shown("showHelpWindow"); }
    QWidget& showAboutWindow() override { return shown("showAboutWindow"); }
    QWidget& showSiteWindow() override { return shown("showSiteWindow"); }
    QWidget& showPageImagesWindow() override { return shown("showPageImagesWindow"); }
    bool isSiteWindowVisible() const override { return siteVisible; }
    void unloadSplashWindow() override { calls << "unloadSplashWindow"; }
    void unloadHelpWindow() override { calls << "unloadHelpWindow"; }
    void forgetWindow(QWidget* window) override
    {
        calls << "forgetWindow " + (window ? window->objectName() : QString("null"));
    }
    void loadSkin() override
    {
        calls << "loadSkin";
        if (onLoadSkin)
            onLoadSkin();
    }
    void EndProgram() override { calls << "EndProgram"; }

    bool siteVisible = false;
    std::function<void()> onLoadSkin;
    QStringList calls;

private:
    QWidget& shown(const char* call)
    {
        calls << call;
        return m_window;
    }

    ProgramServices m_services;
    Identity m_identity;
    bool m_mainWindowClosed = false;
    QWidget m_window;
};

} // namespace varrow::testing
