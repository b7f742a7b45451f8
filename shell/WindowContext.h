#pragma once

#include "shell/Identity.h"
#include "shell/ProgramServices.h"

class QWidget;

namespace varrow
{

// What a window may ask of the program that owns it: the services, the identity, the flag that
// outlives the main window, and the other windows. The program implements it; a test can give a
// window a fake. A window is "loaded" while it exists; showing a window loads it first when
// needed, and showing a loaded window only brings it up again.
class WindowContext
{
public:
    virtual ~WindowContext() = default;

    virtual const ProgramServices& services() const = 0;
    virtual const Identity& identity() const = 0;
    // Re-reads the version information into identity(); every call gives the same values.
    virtual void LoadIdentity() = 0;

    // Set when the main window unloads while the site window is visible; the program then ends
    // when the site window unloads.
    virtual bool mainWindowClosed() const = 0;
    virtual void setMainWindowClosed(bool closed) = 0;

    virtual QWidget& showMainWindow() = 0;
    virtual QWidget& showHelpWindow() = 0;
    virtual QWidget& showAboutWindow() = 0;
    virtual QWidget& showSiteWindow() = 0;
    virtual QWidget& showPageImagesWindow() = 0;
    virtual bool isSiteWindowVisible() const = 0;
    // Unloading destroys the window (later, from the event loop) and forgets it at once.
    virtual void unloadSplashWindow() = 0;
    virtual void unloadHelpWindow() = 0;
    // Called by each window's close handler once it has run its own unload steps.
    virtual void forgetWindow(QWidget* window) = 0;

    // Stores a skin object for ApplySkin when none is stored: loads the splash window when it
    // is not loaded (its load stores the skin), keeps it from going on to open the main window
    // and hides it.
    virtual void loadSkin() = 0;

    virtual void EndProgram() = 0;

protected:
    WindowContext() = default;
    WindowContext(const WindowContext&) = default;
    WindowContext& operator=(const WindowContext&) = default;
};

} // namespace varrow
