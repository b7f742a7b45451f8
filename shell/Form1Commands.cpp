// The main window's commands and menus.
#include "capture/CapturePage.h"
#include "extract/AddressFunctions.h"
#include "integration/IETOOLS.h"
#include "platform/browser/BrowserControl.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TypedAddress.h"
#include "platform/desktop/WindowChrome.h"
#include "platform/versioninfo/VersionInfo.h"
#include "shell/Form1.h"
#include "shell/StatusMessages.h"
#include "shell/WindowContext.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QUrl>

namespace varrow
{
namespace
{

// The Tools menu's two items and the status bar, as the toolbar entry's commands see them.
class ToolsMenuOfMainWindow : public ToolsMenu
{
public:
    explicit ToolsMenuOfMainWindow(Form1& window) : m_window(window) {}
    void setItemEnabled(int index, bool enabled) override
    {
        m_window.mnuToolsItem.at(static_cast<size_t>(index))->setEnabled(enabled);
    }
    void showStatus(const std::string& text) override
    {
        m_window.showMessage(QString::fromStdString(text));
    }

private:
    Form1& m_window;
};

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

void Form1::reportRefusal(const std::function<void()>& request)
{
    try {
        request();
    } catch (const BrowserError& refused) {
        showMessage(QString::fromStdString(refused.what()));
    }
}

void Form1::createMenus()
{
    struct Item {
        QString caption;
        void (Form1::*handler)();
    };
    QMenuBar* bar = menuBar();
    const auto items = [this](QMenu* menu, auto& actions, const std::vector<Item>& design) {
        for (size_t i = 0; i < actions.size(); ++i) {
            actions[i] = menu->addAction(design[i].caption);
            connect(actions[i], &QAction::triggered, this, [this] { m_messages->commandRan(); });
            connect(actions[i], &QAction::triggered, this, design[i].handler);
        }
    };
    items(bar->addMenu(tr("File")), mnuFileItem,
          {{tr("Open"), &Form1::mnuFileOpen_Click}, {tr("Exit"), &Form1::mnuFileExit_Click}});
    items(bar->addMenu(tr("Go")), mnuGoItem,
          {{tr("Back"), &Form1::cmbBack_Click},
           {tr("Forward"), &Form1::cmdForward_Click},
           {tr("Stop"), &Form1::cmdStop_Click},
           {tr("Refresh"), &Form1::cmdRefresh_Click},
           {tr("Back a Directory"), &Form1::cmdBackDir_Click},
           {tr("Send Page to Browser Tab"), &Form1::Command1_Click}});
    QMenu* view = bar->addMenu(tr("View"));
    items(view, mnuViewItem,
          {{tr("Browser"), &Form1::mnuViewBrowser_Click},
           {tr("Source Code"), &Form1::mnuViewSource_Click},
           {tr("Images"), &Form1::mnuViewImages_Click},
           {tr("Website"), &Form1::cmdWebsite_Click}});
    mnuViewPageImages = view->addAction(tr("Page Images"));
    connect(mnuViewPageImages, &QAction::triggered, this, [this] { m_messages->commandRan(); });
    connect(mnuViewPageImages, &QAction::triggered, this, &Form1::mnuViewPageImages_Click);
    items(bar->addMenu(tr("Tools")), mnuToolsItem,
          {{tr("Add program to IE Tools Menu"), &Form1::mnuToolsAdd_Click},
           {tr("Remove Program from IE Tools Menu"), &Form1::mnuToolsRemove_Click}});
    items(bar->addMenu(tr("Help")), mnuHelpItem, {{tr("View Help"), &Form1::mnuHelpView_Click}});
    items(bar->addMenu(tr("About")), mnuAboutItem,
          {{tr("About this software"), &Form1::mnuAboutThis_Click}});
}

void Form1::cmbBack_Click()
{
    ignoringErrors([this] { stopAllViews(); });
    const std::int16_t index = visibleView();
    ignoringErrors([this, index] { wb.at(static_cast<size_t>(index))->GoBack(); });
}

void Form1::cmdForward_Click()
{
    ignoringErrors([this] { stopAllViews(); });
    const std::int16_t index = visibleView();
    ignoringErrors([this, index] { wb.at(static_cast<size_t>(index))->GoForward(); });
}

void Form1::cmdStop_Click()
{
    stopAllViews();
}

void Form1::cmdRefresh_Click()
{
    stopAllViews();
    SelectView(0);
    wb[0]->Refresh();
    CapturePage();
}

void Form1::cmdBackDir_Click()
{
    txtUrl->setText(QString::fromStdString(UpDirAddress(txtUrl->text().toStdString())));
    cmdGo_Click();
    SelectView(0);
}

void Form1::Command1_Click()
{
    ignoringErrors([this] { stopAllViews(); });
    const std::int16_t index = visibleView();
    ignoringErrors([this, index] {
        txtUrl->setText(wb.at(static_cast<size_t>(index))->LocationURL());
        m_typedUrl->sent();
    });
    ignoringErrors([this] { SelectView(0); });
    ignoringErrors([this] { wb[0]->Navigate(txtUrl->text()); });
}

void Form1::cmdGo_Click()
{
    m_typedUrl->sent();
    reportRefusal([this] { wb[0]->Navigate(txtUrl->text()); });
}

void Form1::cmdWebsite_Click()
{
    m_context.showSiteWindow();
}

void Form1::mnuFileOpen_Click()
{
    const QString path = m_context.services().chooseFileToOpen(this);
    if (!path.isEmpty())
        reportRefusal([this, &path] { wb[0]->Navigate2(path); });
}

void Form1::mnuFileExit_Click()
{
    close();
}

void Form1::mnuViewBrowser_Click()
{
    SelectView(0);
}

void Form1::mnuViewSource_Click()
{
    SelectView(1);
}

void Form1::mnuViewImages_Click()
{
    SelectView(2);
}

void Form1::mnuViewPageImages_Click()
{
    m_context.showPageImagesWindow();
}

void Form1::mnuToolsAdd_Click()
{
    ToolsMenuOfMainWindow menu(*this);
    InstallToolsButton(ToolsButtonOfProgram(m_context.services()), menu);
}

void Form1::mnuToolsRemove_Click()
{
    ToolsMenuOfMainWindow menu(*this);
    RemoveToolsButton(menu);
}

void Form1::mnuHelpView_Click()
{
    m_context.showHelpWindow();
}

void Form1::mnuAboutThis_Click()
{
    m_context.showAboutWindow();
}

bool Form1::CapturePage()
{
    const WorkFiles files(m_context.services().workingDirectory);
    std::string markup = wb[0]->BodyMarkup().value_or(std::string());
    const QString address = wb[0]->LocationURL();
    const CaptureResult result = varrow::CapturePage(files, markup, address.toStdString(), lists);
    if (!result.failures.empty())
        showMessage(
            tr("Capture incomplete: %1").arg(QString::fromStdString(result.failures.front())));
    const LastCapture::Reloads reloads = m_lastCapture.note(
        std::move(markup), address.toStdString(), lists, result.failures.empty());
    wb[1]->setCapturedPage(address);
    wb[2]->setCapturedPage(address);
    showGeneratedPage(*wb[1], result.sourcePage, reloads.source);
    showGeneratedPage(*wb[2], result.imagePage, reloads.gallery);
    return true;
}

void Form1::captureIfChanged()
{
    if (!m_lastCapture.holds(wb[0]->BodyMarkup().value_or(std::string()),
                             wb[0]->LocationURL().toStdString()))
        CapturePage();
}

void Form1::showGeneratedPage(BrowserControl& view, const std::filesystem::path& page,
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
