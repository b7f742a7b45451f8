// The main window's commands and menus.
#include "capture/CapturePage.h"
#include "extract/AddressFunctions.h"
#include "integration/IETOOLS.h"
#include "platform/browser/BrowserControl.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TypedAddress.h"
#include "platform/desktop/WindowChrome.h"
#include "platform/versioninfo/VersionInfo.h"
#include "shell/MainWindow.h"
#include "shell/StatusMessages.h"
#include "shell/WindowContext.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QUrl>

namespace varrow
{
namespace
{

// The product name from the version information, read afresh, and this process's executable.
class ToolsButtonOfProgram : public ToolsButtonSource
{
public:
    explicit ToolsButtonOfProgram(const ProgramServices& services) : m_services(services) {}
    std::string productName() const override { return m_services.readVersionInfo().productName; }
    std::string executablePath() const override { return runningExecutablePath().string(); }

private:
    const ProgramServices& m_services;
};

} // namespace

void MainWindow::reportRefusal(const std::function<void()>& request)
{
    try {
        request();
    } catch (const BrowserError& refused) {
        showMessage(QString::fromStdString(refused.what()));
    }
}

void MainWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    addMenuItems(bar->addMenu(tr("File")), "mnuFileItem",
                 {{tr("Open"), [this] { openFile(); }}, {tr("Exit"), [this] { close(); }}});
    addMenuItems(bar->addMenu(tr("Go")), "mnuGoItem",
                 {{tr("Back"), [this] { goBack(); }},
                  {tr("Forward"), [this] { goForward(); }},
                  {tr("Stop"), [this] { stop(); }},
                  {tr("Refresh"), [this] { refresh(); }},
                  {tr("Back a Directory"), [this] { goUpDirectory(); }},
                  {tr("Send Page to Browser Tab"), [this] { sendToIe(); }}});
    QMenu* view = bar->addMenu(tr("View"));
    addMenuItems(view, "mnuViewItem",
                 {{tr("Browser"), [this] { selectView(BrowserView); }},
                  {tr("Source Code"), [this] { selectView(SourceView); }},
                  {tr("Images"), [this] { selectView(GalleryView); }},
                  {tr("Website"), [this] { m_context.showSiteWindow(); }}});
    QAction* pageImages = view->addAction(tr("Page Images"));
    pageImages->setObjectName("mnuViewPageImages");
    connect(pageImages, &QAction::triggered, this, [this] {
        m_messages->commandRan();
        m_context.showPageImagesWindow();
    });
    addMenuItems(
        bar->addMenu(tr("Tools")), "mnuToolsItem",
        {{tr("Add program to IE Tools Menu"),
          [this] { InstallToolsButton(ToolsButtonOfProgram(m_context.services()), *this); }},
         {tr("Remove Program from IE Tools Menu"), [this] { RemoveToolsButton(*this); }}});
    addMenuItems(bar->addMenu(tr("Help")), "mnuHelpItem",
                 {{tr("View Help"), [this] { m_context.showHelpWindow(); }}});
    addMenuItems(bar->addMenu(tr("About")), "mnuAboutItem",
                 {{tr("About this software"), [this] { m_context.showAboutWindow(); }}});
}

void MainWindow::addMenuItems(QMenu* menu, const char* designName,
                              const std::vector<std::pair<QString, std::function<void()>>>& items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* item = menu->addAction(items[i].first);
        item->setObjectName(QString("%1%2").arg(designName).arg(i));
        connect(item, &QAction::triggered, this, [this] { m_messages->commandRan(); });
        connect(item, &QAction::triggered, this, items[i].second);
    }
}

QAction* MainWindow::menuItem(const char* designName, int index) const
{
    return menuBar()->findChild<QAction*>(QString("%1%2").arg(designName).arg(index));
}

void MainWindow::setItemEnabled(int index, bool enabled)
{
    menuItem("mnuToolsItem", index)->setEnabled(enabled);
}

void MainWindow::showStatus(const std::string& text)
{
    showMessage(QString::fromStdString(text));
}

void MainWindow::goBack()
{
    ignoringErrors([this] { stopAllViews(); });
    if (const std::optional<View> view = visibleView())
        ignoringErrors([this, view] { m_views[*view]->GoBack(); });
}

void MainWindow::goForward()
{
    ignoringErrors([this] { stopAllViews(); });
    if (const std::optional<View> view = visibleView())
        ignoringErrors([this, view] { m_views[*view]->GoForward(); });
}

void MainWindow::stop()
{
    stopAllViews();
}

void MainWindow::refresh()
{
    stopAllViews();
    selectView(BrowserView);
    browserView().Refresh();
    capture();
}

void MainWindow::goUpDirectory()
{
    m_addressBox->setText(QString::fromStdString(UpDirAddress(m_addressBox->text().toStdString())));
    go();
    selectView(BrowserView);
}

void MainWindow::sendToIe()
{
    ignoringErrors([this] { stopAllViews(); });
    if (const std::optional<View> view = visibleView())
        ignoringErrors([this, view] {
            m_addressBox->setText(m_views[*view]->LocationURL());
            m_typedAddress->sent();
        });
    ignoringErrors([this] { selectView(BrowserView); });
    ignoringErrors([this] { browserView().Navigate(m_addressBox->text()); });
}

void MainWindow::go()
{
    m_typedAddress->sent();
    reportRefusal([this] { browserView().Navigate(m_addressBox->text()); });
}

void MainWindow::openFile()
{
    const QString path = m_context.services().chooseFileToOpen(this);
    if (!path.isEmpty())
        reportRefusal([this, &path] { browserView().Navigate2(path); });
}

void MainWindow::capture()
{
    const WorkFiles files(m_context.services().workingDirectory);
    std::string markup = browserView().BodyMarkup().value_or(std::string());
    const QString address = browserView().LocationURL();
    const CaptureResult result = CapturePage(files, markup, address.toStdString(), m_imageLists);
    if (!result.failures.empty())
        showMessage(
            tr("Capture incomplete: %1").arg(QString::fromStdString(result.failures.front())));
    const LastCapture::Reloads reloads = m_lastCapture.note(
        std::move(markup), address.toStdString(), m_imageLists, result.failures.empty());
    m_views[SourceView]->setCapturedPage(address);
    m_views[GalleryView]->setCapturedPage(address);
    showGeneratedPage(*m_views[SourceView], result.sourcePage, reloads.source);
    showGeneratedPage(*m_views[GalleryView], result.imagePage, reloads.gallery);
}

void MainWindow::captureIfChanged()
{
    if (!m_lastCapture.holds(browserView().BodyMarkup().value_or(std::string()),
                             browserView().LocationURL().toStdString()))
        capture();
}

void MainWindow::showGeneratedPage(BrowserControl& view, const std::filesystem::path& page,
                                   LastCapture::Reload reload)
{
    const QString path = QString::fromStdString(page.string());
    if (QUrl::fromUserInput(view.LocationURL()) != QUrl::fromLocalFile(path))
        reload = LastCapture::Reload::Load;
    ignoringErrors([&] {
        if (reload == LastCapture::Reload::Load)
            view.Navigate(path);
        else if (reload == LastCapture::Reload::KeepingPlace)
            view.NavigateKeepingPlace(path);
    });
}

} // namespace varrow
