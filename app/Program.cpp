#include "app/Program.h"

#include "app/PageImagesSources.h"
#include "integration/modSkin.h"

#include <QRandomGenerator>

namespace varrow
{
namespace
{

// Loads the window into `slot` when it is not loaded yet, then shows it modeless.
template <typename Window> Window& loadAndShow(WindowContext& context, QPointer<Window>& slot)
{
    if (!slot) {
        slot = new Window(context);
        slot->Form_Load();
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
    m_splash = new frmSplash(*this);
    m_splash->Form_Load();
    m_splash->show();
}

Form1& Program::showMainWindow()
{
    return loadAndShow(*this, m_main);
}
Form8& Program::showHelpWindow()
{
    return loadAndShow(*this, m_help);
}
frmAbout& Program::showAboutWindow()
{
    return loadAndShow(*this, m_about);
}
frmWebsite& Program::showSiteWindow()
{
    return loadAndShow(*this, m_site);
}

PageImagesWindow& Program::showPageImagesWindow()
{
    if (!m_pageImages)
        m_pageImages = new PageImagesWindow(
            pageImagesSourcesOf(*m_main), PageImagesDialogs::standard(m_services.settings), m_main);
    m_pageImages->show();
    m_pageImages->raise();
    return *m_pageImages;
}

frmSplash* Program::splashWindow() const
{
    return m_splash;
}
Form1* Program::mainWindow() const
{
    return m_main;
}
Form8* Program::helpWindow() const
{
    return m_help;
}

PageImagesWindow* Program::pageImagesWindow() const
{
    return m_pageImages;
}

frmWebsite* Program::siteWindow() const
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
    // The splash window's load runs to its end, enabling the timer last, before start()
    // returns; there is nothing to wait for.
    if (!m_splash)
        start();
    m_splash->Timer2.setEnabled(false);
    m_splash->hide();
    // A splash window loaded while skinning was off has not stored its skin.
    if (!skinObject())
        setSkinObject(&m_splash->skn);
}

void Program::EndProgram()
{
    m_services.endProgram();
}

} // namespace varrow
