#include "app/Program.h"

#include "app/PageImagesSources.h"
#include "integration/modSkin.h"

#include <QRandomGenerator>

namespace varrow
{
namespace
{

// Loads the window into `slot` when it is not loaded yet, then shows it modeless. `made` sees a
// new window before it loads.
template <typename Window, typename Made = void (*)(Window&)>
Window& loadAndShow(
    WindowContext& context, QPointer<Window>& slot, Made made = [](Window&) {})
{
    if (!slot) {
        slot = new Window(context);
        made(*slot);
        slot->load();
    }
    slot->show();
    slot->raise();
    return *slot;
}

template <typename Window> void unload(QPointer<Window>& slot)
{
    if (Window* window = slot.data()) {
        slot.clear();
        window->hide();
        window->deleteLater();
    }
}

} // namespace

Program::Program(ProgramServices services)
    : m_services(std::move(services)),
      m_bannerTip(static_cast<int>(QRandomGenerator::global()->bounded(kBannerTips)))
{
}

Program::~Program()
{
    delete m_site.data();
    delete m_about.data();
    delete m_help.data();
    delete m_main.data();
    delete m_splash.data();
}

void Program::LoadIdentity()
{
    varrow::LoadIdentity(m_identity, m_services.readVersionInfo(),
                         bannerAddress(m_services.programDirectory, m_bannerTip));
}

void Program::start()
{
    m_splash = new SplashWindow(*this, m_skin);
    m_splash->load();
    m_splash->show();
}

MainWindow& Program::showMainWindow()
{
    // The finder must see the browser view's requests from its first page on.
    return loadAndShow(*this, m_main, [this](MainWindow& made) {
        m_pageImagesSources = pageImagesSourcesOf(made);
    });
}
HelpWindow& Program::showHelpWindow()
{
    return loadAndShow(*this, m_help);
}
AboutWindow& Program::showAboutWindow()
{
    return loadAndShow(*this, m_about);
}
SiteWindow& Program::showSiteWindow()
{
    return loadAndShow(*this, m_site);
}

PageImagesWindow& Program::showPageImagesWindow()
{
    if (!m_pageImages)
        m_pageImages = new PageImagesWindow(
            m_pageImagesSources, PageImagesDialogs::standard(m_services.settings), m_main);
    m_pageImages->show();
    m_pageImages->raise();
    return *m_pageImages;
}

SplashWindow* Program::splashWindow() const
{
    return m_splash;
}
MainWindow* Program::mainWindow() const
{
    return m_main;
}
HelpWindow* Program::helpWindow() const
{
    return m_help;
}

PageImagesWindow* Program::pageImagesWindow() const
{
    return m_pageImages;
}

SiteWindow* Program::siteWindow() const
{
    return m_site;
}

bool Program::isSiteWindowVisible() const
{
    return m_site && m_site->isVisible();
}

void Program::unloadSplashWindow()
{
    unload(m_splash);
}
void Program::unloadHelpWindow()
{
    unload(m_help);
}

void Program::forgetWindow(QWidget* window)
{
    if (window == m_main)
        m_main.clear();
    else if (window == m_help)
        m_help.clear();
    else if (window == m_about)
        m_about.clear();
    else if (window == m_site)
        m_site.clear();
    else if (window == m_splash)
        m_splash.clear();
}

void Program::loadSkin()
{
    // The splash window's load stores the skin and applies it to the whole program. It runs to
    // its end before start() returns, so there is nothing to wait for; then the splash window
    // must not go on to open the main window.
    if (!m_splash)
        start();
    m_splash->holdBack();
    // A splash window loaded while skinning was off has not stored the skin.
    if (!skinObject())
        setSkinObject(&m_skin);
}

void Program::EndProgram()
{
    m_services.endProgram();
}

} // namespace varrow
