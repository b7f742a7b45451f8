#include "shell/MainWindow.h"

#include "capture/WorkFiles.h"
#include "integration/ControlType.h"
#include "integration/Skin.h"
#include "integration/modSkin.h"
#include "platform/browser/BrowserControl.h"
#include "platform/desktop/ProgressMeter.h"
#include "platform/desktop/SettingsStore.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TabStrip.h"
#include "platform/desktop/Twips.h"
#include "platform/desktop/TypedAddress.h"
#include "platform/desktop/WindowChrome.h"
#include "platform/textfile/TextFile.h"
#include "shell/StatusMessages.h"
#include "shell/ViewArray.h"
#include "shell/WindowContext.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>

namespace varrow
{
namespace
{

constexpr int kBannerGap = 100;
constexpr int kClientWidth = 12135;
constexpr int kClientHeight = 11100;

// The main window's design.
constexpr ControlDesign kDesign[] = {
    {"cmbBack", {60, 60, 915, 855}, "Back", "Back", ":/varrow/back.png"},
    {"cmdForward", {1020, 60, 855, 855}, "Forward", "Forward", ":/varrow/forward.png"},
    {"cmdStop", {1920, 60, 855, 855}, "Stop", "Stop", ":/varrow/stop.png"},
    {"cmdRefresh", {2820, 60, 795, 855}, "Refresh", "Refresh", ":/varrow/refresh.png"},
    {"cmdBackDir",
     {3660, 60, 855, 855},
     "Up Dir",
     "Go back 1 directory level",
     ":/varrow/updir.png"},
    {"Command1",
     {4560, 60, 915, 855},
     "Send to IE",
     "Send Page to Browser Tab",
     ":/varrow/sendtoie.png"},
    {"cmdWebsite", {5520, 60, 3495, 855}, "", "", ":/varrow/website.png"},
    {"cmdGo", {3600, 960, 1095, 315}, "", "Go!", ":/varrow/go.png"},
    {"Text1", {60, 1020, 495, 285}, "URL:"},
    {"txtUrl", {540, 960, 2715, 315}},
    {"wbBanner", {60, 1380, 7335, 945}},
    {"TabStrip1", {0, 1380, 10215, 7875}},
};

} // namespace

MainWindow::MainWindow(WindowContext& context)
    : m_context(context), m_client(new QWidget(this)), m_design(*this)
{
    setObjectName("Form1");
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(m_client);
    QFont verdana("Verdana");
    verdana.setPointSizeF(8.25);
    setFont(verdana);
    createButtons();
    createAddressRow();
    createViews();
    createStatusBar();
    connectCommands();
    createMenus();
    resize(twipsToPixelsX(this, kClientWidth),
           twipsToPixelsY(this, kClientHeight) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

void MainWindow::createButtons()
{
    QFont sansSerif("MS Sans Serif");
    sansSerif.setPointSizeF(8.25);
    const auto button = [&](const char* name) {
        const ControlDesign& control = designOf(kDesign, name);
        QToolButton* made =
            makeButton(m_client, m_design, control.name,
                       {tr(control.caption), tr(control.toolTip), control.twips, control.picture});
        made->setIconSize(QSize(24, 24));
        made->setFont(sansSerif);
        return made;
    };
    m_backButton = button("cmbBack");
    m_forwardButton = button("cmdForward");
    m_stopButton = button("cmdStop");
    m_refreshButton = button("cmdRefresh");
    m_upDirectoryButton = button("cmdBackDir");
    m_sendToIeButton = button("Command1");
    m_websiteButton = button("cmdWebsite");
    m_websiteButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_goButton = button("cmdGo");
    m_goButton->setIconSize(QSize(16, 16));
}

void MainWindow::createAddressRow()
{
    m_addressLabel = new QLineEdit(tr(designOf(kDesign, "Text1").caption), m_client);
    m_addressLabel->setObjectName("Text1");
    m_addressLabel->setReadOnly(true);
    m_addressLabel->setFocusPolicy(Qt::NoFocus);
    m_addressLabel->setFrame(false);
    m_addressLabel->setStyleSheet("background: palette(button);");
    setGeometryOf(m_addressLabel, designOf(kDesign, "Text1").twips);
    m_addressBox = new QLineEdit(m_client);
    m_addressBox->setObjectName("txtUrl");
    setGeometryOf(m_addressBox, designOf(kDesign, "txtUrl").twips);
    m_typedAddress =
        new TypedAddress(*m_addressBox, [this] { return browserView().LocationURL(); });
}

void MainWindow::createViews()
{
    const ProgramServices& services = m_context.services();
    m_bannerPicture = new QLabel(m_client);
    m_bannerPicture->setObjectName("wbPicture");
    setControlTypeName(*m_bannerPicture, "PictureBox");
    m_bannerView = services.makeBrowser(m_client, BrowserRole::Browsing);
    m_bannerView->setObjectName("wbBanner");
    setGeometryOf(m_bannerView->view(), designOf(kDesign, "wbBanner").twips);

    m_tabStrip = new TabStrip(m_client);
    m_tabStrip->setObjectName("TabStrip1");
    m_tabStrip->addTab(tr("Browser"), tr("Browser Identical to Internet Explorer"));
    m_tabStrip->addTab(tr("Source Code"), tr("View the Source Code of the Current Page"));
    m_tabStrip->addTab(tr("Images"),
                       tr("Displays All Images and Links to Images on the Current Page"));
    setGeometryOf(m_tabStrip, designOf(kDesign, "TabStrip1").twips);
    m_viewNotifications = new ViewArray(this);
    for (std::int16_t i = BrowserView; i <= GalleryView; ++i) {
        m_views[i] = services.makeBrowser(m_client, i == BrowserView ? BrowserRole::Browsing
                                                                     : BrowserRole::GeneratedPage);
        m_views[i]->setObjectName(QString("wb%1").arg(i));
        m_views[i]->view()->raise();
        m_viewNotifications->add(m_views[i]);
    }
    connect(m_viewNotifications, &ViewArray::StatusTextChange, this, &MainWindow::showStatusText);
    connect(m_viewNotifications, &ViewArray::ProgressChange, this, &MainWindow::showProgress);
    connect(m_viewNotifications, &ViewArray::TitleChange, this, &MainWindow::followTitle);
    connect(m_viewNotifications, &ViewArray::DownloadBegin, this, &MainWindow::notePageLoadBegan);
    connect(m_viewNotifications, &ViewArray::DocumentReady, this, &MainWindow::capturePageOf);
    connect(m_viewNotifications, &ViewArray::DownloadComplete, this, [this](std::int16_t view) {
        capturePageOf(view);
        if (view == BrowserView)
            emit pageLoadHandled();
    });
}

void MainWindow::createStatusBar()
{
    m_statusBar = new StatusBar(m_client);
    m_statusBar->setObjectName("sb1");
    m_progressMeter = new ProgressMeter(m_client);
    m_progressMeter->setObjectName("pb1");
    dockStatusBar(m_design, *m_statusBar, m_client->size());
    m_messages = std::make_unique<StatusMessages>(*m_statusBar);
}

void MainWindow::connectCommands()
{
    endMessagesOnCommands();
    connect(m_backButton, &QToolButton::clicked, this, &MainWindow::goBack);
    connect(m_forwardButton, &QToolButton::clicked, this, &MainWindow::goForward);
    connect(m_stopButton, &QToolButton::clicked, this, &MainWindow::stop);
    connect(m_refreshButton, &QToolButton::clicked, this, &MainWindow::refresh);
    connect(m_upDirectoryButton, &QToolButton::clicked, this, &MainWindow::goUpDirectory);
    connect(m_sendToIeButton, &QToolButton::clicked, this, &MainWindow::sendToIe);
    connect(m_websiteButton, &QToolButton::clicked, this, [this] { m_context.showSiteWindow(); });
    connect(m_goButton, &QToolButton::clicked, this, &MainWindow::go);
    connect(m_addressBox, &QLineEdit::returnPressed, this, &MainWindow::go);
    connect(m_tabStrip, &TabStrip::Click, this,
            [this] { showView(static_cast<View>(m_tabStrip->selectedTab() - 1)); });
}

void MainWindow::endMessagesOnCommands()
{
    const auto endMessage = [this] { m_messages->commandRan(); };
    for (QToolButton* button : {m_backButton, m_forwardButton, m_stopButton, m_refreshButton,
                                m_upDirectoryButton, m_sendToIeButton, m_websiteButton, m_goButton})
        connect(button, &QToolButton::clicked, this, endMessage);
    connect(m_addressBox, &QLineEdit::returnPressed, this, endMessage);
}

void MainWindow::load()
{
    const Identity& identity = m_context.identity();
    m_websiteButton->setText("Visit " + identity.WebsiteText);
    menuItem("mnuViewItem", 3)->setText(identity.WebsiteText);
    setWindowTitle(identity.productByCompany());

    if (skinningOn(identity.UseSkin)) {
        // This window has no labels, so the skin-label step has nothing to copy; a failure of
        // either step leaves the window as designed.
        try {
            LoadSkinLabels(*this, SkinLabelScope::AllLabels);
            ApplySkin(*this, [this] { m_context.loadSkin(); });
        } catch (const SkinError&) {
        }
    }

    if (identity.ShowBanner) {
        TwipsRect tabStrip = geometryOf(m_tabStrip);
        tabStrip.top = geometryOf(m_bannerView->view()).height + tabStrip.top + kBannerGap;
        setGeometryOf(m_tabStrip, tabStrip);
        reportRefusal([this, &identity] {
            SetUpBanner(*m_bannerView, *m_bannerPicture, m_design, identity.BannerAddress);
        });
    }

    const ProgramServices& services = m_context.services();
    if (services.settings->GetSetting(identity.ProductNameText, "Settings", "showHelp", "1") == "1")
        m_context.showHelpWindow();

    createMissingWorkFiles();
    m_statusBar->addPanel();
    showView(BrowserView);
    reportRefusal([this] { browserView().GoHome(); });
}

void MainWindow::createMissingWorkFiles()
{
    const WorkFiles files(m_context.services().workingDirectory);
    for (std::string_view name : WorkFiles::kAll) {
        // Created only where nothing has the name: an existing file, or a link that someone
        // planted in a shared folder, is left as it is.
        try {
            createTextFile(files.pathOf(name), "");
        } catch (const FileError& error) {
            m_messages->showLasting(
                tr("Cannot create the working file %1").arg(QString::fromStdString(error.what())),
                StatusMessages::Lasts::UntilCommand);
        }
    }
    if (files.directory() != m_context.services().programDirectory)
        m_messages->showLasting(tr("Working files are kept in %1")
                                    .arg(QString::fromStdString(files.directory().string())),
                                StatusMessages::Lasts::UntilCommand);
}

TwipsRect MainWindow::geometryOf(const QWidget* control) const
{
    return m_design.of(control);
}

void MainWindow::setGeometryOf(QWidget* control, const TwipsRect& twips)
{
    m_design.place(control, twips);
}

QSize MainWindow::outerSizeInTwips() const
{
    const QSize outer = frameGeometry().size();
    return {pixelsToTwipsX(this, outer.width()), pixelsToTwipsY(this, outer.height())};
}

void MainWindow::arrangeControls()
{
    const QSize outer = outerSizeInTwips();
    const TwipsRect statusBar = geometryOf(m_statusBar);
    const TwipsRect address = geometryOf(m_addressBox);
    const MainLayout layout = layoutMainWindow(
        {outer.width(), outer.height(), geometryOf(m_tabStrip).top, statusBar.top, statusBar.height,
         address.left, geometryOf(m_goButton).width, geometryOf(m_websiteButton).left});
    setGeometryOf(m_tabStrip, layout.tabStrip);
    for (BrowserControl* view : m_views)
        setGeometryOf(view->view(), layout.view);
    while (m_statusBar->panelCount() < 2)
        m_statusBar->addPanel();
    m_statusBar->setPanelWidth(1, twipsToPixelsX(this, layout.panel1Width));
    m_statusBar->setPanelWidth(2, twipsToPixelsX(this, layout.panel2Width));
    setGeometryOf(m_progressMeter, layout.progressBar);
    setGeometryOf(m_addressBox, {address.left, address.top, layout.addressWidth, address.height});
    const TwipsRect website = geometryOf(m_websiteButton);
    setGeometryOf(m_websiteButton,
                  {website.left, website.top, layout.websiteWidth, website.height});
    const TwipsRect go = geometryOf(m_goButton);
    setGeometryOf(m_goButton, {layout.goLeft, go.top, go.width, go.height});
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    dockStatusBar(m_design, *m_statusBar, m_client->size());
    arrangeControls();
}

void MainWindow::showView(View view)
{
    for (BrowserControl* each : m_views)
        each->view()->setVisible(false);
    m_views.at(view)->view()->setVisible(true);
}

void MainWindow::selectView(View view)
{
    m_tabStrip->selectTab(view + 1);
    showView(view);
}

std::optional<MainWindow::View> MainWindow::visibleView() const
{
    std::optional<View> visible;
    for (std::int16_t i = BrowserView; i <= GalleryView; ++i)
        if (!m_views[i]->view()->isHidden())
            visible = static_cast<View>(i);
    return visible;
}

void MainWindow::showStatusText(std::int16_t, const QString& text)
{
    m_messages->showPassing(text);
}

void MainWindow::showMessage(const QString& text)
{
    m_messages->showLasting(text, StatusMessages::Lasts::UntilPageLoad);
}

void MainWindow::showProgress(std::int16_t view, int progress, int progressMax)
{
    if (view != BrowserView || progressMax == 0)
        return;
    m_progressMeter->setMax(progressMax);
    m_progressMeter->setMeterValue(progress > progressMax || progress <= 0 ? 0.01 : progress);
}

void MainWindow::followTitle(std::int16_t view, const QString&)
{
    if (view != BrowserView)
        return;
    m_typedAddress->follow(browserView().LocationURL());
    setWindowTitle(m_context.identity().productByCompany() + " - " + browserView().LocationName());
}

void MainWindow::notePageLoadBegan(std::int16_t view)
{
    if (view == BrowserView)
        m_messages->pageLoadBegan();
}

void MainWindow::capturePageOf(std::int16_t view)
{
    if (view == BrowserView)
        captureIfChanged();
}

void MainWindow::stopAllViews()
{
    for (BrowserControl* view : m_views)
        view->Stop();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_context.unloadHelpWindow();
    m_context.unloadSplashWindow();
    stopAllViews();
    if (m_context.isSiteWindowVisible()) {
        m_context.setMainWindowClosed(true);
        m_context.forgetWindow(this);
        return;
    }
    if (skinningOn(m_context.identity().UseSkin))
        SkinGlobal::Release();
    m_context.EndProgram();
}

} // namespace varrow
