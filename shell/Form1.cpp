#include "shell/Form1.h"

#include "capture/WorkFiles.h"
#include "integration/ControlType.h"
#include "integration/Skin.h"
#include "integration/modSkin.h"
#include "platform/browser/BrowserControl.h"
#include "platform/browser/WebEngineBrowser.h"
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
#include "shell/pictures/PageImageFinder.h"

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

Form1::Form1(WindowContext& context)
    : m_context(context), m_client(new QWidget(this)), m_design(*this)
{
    setObjectName("Form1");
    setAttribute(Qt::WA_DeleteOnClose);
    setCentralWidget(m_client);
    QFont verdana("Verdana");
    verdana.setPointSizeF(8.25);
    setFont(verdana);
    createControls();
    createMenus();
    resize(twipsToPixelsX(this, kClientWidth),
           twipsToPixelsY(this, kClientHeight) + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::createControls()
{
    QFont sansSerif("MS Sans Serif");
    sansSerif.setPointSizeF(8.25);
    for (const ControlDesign& control : kDesign) {
        if (!control.picture)
            continue;
        QToolButton* made =
            makeButton(m_client, m_design, control.name,
                       {tr(control.caption), tr(control.toolTip), control.twips, control.picture});
        made->setIconSize(QSize(24, 24));
        made->setFont(sansSerif);
    }
    const auto button = [this](const char* name) {
        return m_client->findChild<QToolButton*>(name, Qt::FindDirectChildrenOnly);
    };
    cmbBack = button("cmbBack");
    cmdForward = button("cmdForward");
    cmdStop = button("cmdStop");
    cmdRefresh[0] = button("cmdRefresh");
    cmdBackDir = button("cmdBackDir");
    Command1 = button("Command1");
    cmdWebsite = button("cmdWebsite");
    cmdWebsite->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    cmdGo = button("cmdGo");
    cmdGo->setIconSize(QSize(16, 16));

    Text1 = new QLineEdit(tr(designOf(kDesign, "Text1").caption), m_client);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    Text1->setFrame(false);
    Text1->setStyleSheet("background: palette(button);");
    setGeometryOf(Text1, designOf(kDesign, "Text1").twips);
    txtUrl = new QLineEdit(m_client);
    txtUrl->setObjectName("txtUrl");
    setGeometryOf(txtUrl, designOf(kDesign, "txtUrl").twips);
    m_typedUrl = new TypedAddress(*txtUrl, [this] { return wb[0]->LocationURL(); });

    const ProgramServices& services = m_context.services();
    wbPicture = new QLabel(m_client);
    wbPicture->setObjectName("wbPicture");
    setControlTypeName(*wbPicture, "PictureBox");
    wbBanner = services.makeBrowser(m_client, BrowserRole::Browsing);
    wbBanner->setObjectName("wbBanner");
    setGeometryOf(wbBanner->view(), designOf(kDesign, "wbBanner").twips);

    TabStrip1 = new TabStrip(m_client);
    TabStrip1->setObjectName("TabStrip1");
    TabStrip1->addTab(tr("Browser"), tr("Browser Identical to Internet Explorer"));
    TabStrip1->addTab(tr("Source Code"), tr("View the Source Code of the Current Page"));
    TabStrip1->addTab(tr("Images"),
                      tr("Displays All Images and Links to Images on the Current Page"));
    setGeometryOf(TabStrip1, designOf(kDesign, "TabStrip1").twips);
    m_views = new ViewArray(this);
    for (std::int16_t i = 0; i < 3; ++i) {
        wb[i] = services.makeBrowser(m_client,
                                     i == 0 ? BrowserRole::Browsing : BrowserRole::GeneratedPage);
        wb[i]->setObjectName(QString("wb%1").arg(i));
        wb[i]->view()->raise();
        m_views->add(wb[i]);
    }
    // The Page Images window lists what view 0's finder saw from the view's first page on.
    if (auto* engine = qobject_cast<WebEngineBrowser*>(wb[0]))
        PageImageFinder::of(*engine);
    connectViews();

    sb1 = new StatusBar(m_client);
    sb1->setObjectName("sb1");
    pb1 = new ProgressMeter(m_client);
    pb1->setObjectName("pb1");
    dockStatusBar(m_design, *sb1, m_client->size());
    m_messages = std::make_unique<StatusMessages>(*sb1);

    endMessagesOnCommands();
    connect(cmbBack, &QToolButton::clicked, this, &Form1::cmbBack_Click);
    connect(cmdForward, &QToolButton::clicked, this, &Form1::cmdForward_Click);
    connect(cmdStop, &QToolButton::clicked, this, &Form1::cmdStop_Click);
    connect(cmdRefresh[0], &QToolButton::clicked, this, &Form1::cmdRefresh_Click);
    connect(cmdBackDir, &QToolButton::clicked, this, &Form1::cmdBackDir_Click);
    connect(Command1, &QToolButton::clicked, this, &Form1::Command1_Click);
    connect(cmdWebsite, &QToolButton::clicked, this, &Form1::cmdWebsite_Click);
    connect(cmdGo, &QToolButton::clicked, this, &Form1::cmdGo_Click);
    connect(txtUrl, &QLineEdit::returnPressed, this, &Form1::cmdGo_Click);
    connect(TabStrip1, &TabStrip::Click, this, &Form1::TabStrip1_Click);
}

void Form1::connectViews()
{
    connect(m_views, &ViewArray::StatusTextChange, this, &Form1::wb_StatusTextChange);
    connect(m_views, &ViewArray::ProgressChange, this, &Form1::wb_ProgressChange);
    connect(m_views, &ViewArray::TitleChange, this, &Form1::wb_TitleChange);
    connect(m_views, &ViewArray::DownloadBegin, this, &Form1::wb_DownloadBegin);
    connect(m_views, &ViewArray::DocumentReady, this, &Form1::wb_DocumentReady);
    connect(m_views, &ViewArray::DownloadComplete, this, &Form1::wb_DownloadComplete);
}

void Form1::endMessagesOnCommands()
{
    const auto endMessage = [this] { m_messages->commandRan(); };
    for (QToolButton* button :
         {cmbBack, cmdForward, cmdStop, cmdRefresh[0], cmdBackDir, Command1, cmdWebsite, cmdGo})
        connect(button, &QToolButton::clicked, this, endMessage);
    connect(txtUrl, &QLineEdit::returnPressed, this, endMessage);
}

void Form1::Form_Load()
{
    const Identity& identity = m_context.identity();
    cmdWebsite->setText("Visit " + identity.WebsiteText);
    mnuViewItem[3]->setText(identity.WebsiteText);
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
        TwipsRect tabStrip = geometryOf(TabStrip1);
        tabStrip.top = geometryOf(wbBanner->view()).height + tabStrip.top + kBannerGap;
        setGeometryOf(TabStrip1, tabStrip);
        reportRefusal([this, &identity] {
            SetUpBanner(*wbBanner, *wbPicture, m_design, identity.BannerAddress);
        });
    }

    const ProgramServices& services = m_context.services();
    if (services.settings->GetSetting(identity.ProductNameText, "Settings", "showHelp", "1") == "1")
        m_context.showHelpWindow();

    createMissingWorkFiles();
    sb1->addPanel();
    ShowView(0);
    reportRefusal([this] { wb[0]->GoHome(); });
}

void Form1::createMissingWorkFiles()
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

TwipsRect Form1::geometryOf(const QWidget* control) const
{
    return m_design.of(control);
}

void Form1::setGeometryOf(QWidget* control, const TwipsRect& twips)
{
    m_design.place(control, twips);
}

QSize Form1::outerSizeInTwips() const
{
    const QSize outer = frameGeometry().size();
    return {pixelsToTwipsX(this, outer.width()), pixelsToTwipsY(this, outer.height())};
}

void Form1::ResizeControls()
{
    const QSize outer = outerSizeInTwips();
    const TwipsRect statusBar = geometryOf(sb1);
    const MainLayout layout = layoutMainWindow(
        {outer.width(), outer.height(), geometryOf(TabStrip1).top, statusBar.top, statusBar.height,
         geometryOf(txtUrl).left, geometryOf(cmdGo).width, geometryOf(cmdWebsite).left});
    setGeometryOf(TabStrip1, layout.tabStrip);
    for (BrowserControl* view : wb)
        setGeometryOf(view->view(), layout.view);
    while (sb1->panelCount() < 2)
        sb1->addPanel();
    sb1->setPanelWidth(1, twipsToPixelsX(this, layout.panel1Width));
    sb1->setPanelWidth(2, twipsToPixelsX(this, layout.panel2Width));
    setGeometryOf(pb1, layout.progressBar);
    setGeometryOf(txtUrl, {geometryOf(txtUrl).left, geometryOf(txtUrl).top, layout.addressWidth,
                           geometryOf(txtUrl).height});
    const TwipsRect website = geometryOf(cmdWebsite);
    setGeometryOf(cmdWebsite, {website.left, website.top, layout.websiteWidth, website.height});
    const TwipsRect go = geometryOf(cmdGo);
    setGeometryOf(cmdGo, {layout.goLeft, go.top, go.width, go.height});
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    dockStatusBar(m_design, *sb1, m_client->size());
    ResizeControls();
}

void Form1::ShowView(std::int16_t index)
{
    for (BrowserControl* view : wb)
        view->view()->setVisible(false);
    wb.at(static_cast<size_t>(index))->view()->setVisible(true);
}

void Form1::SelectView(std::int16_t index)
{
    for (BrowserControl* view : wb)
        view->view()->setVisible(false);
    TabStrip1->selectTab(index + 1);
    wb.at(static_cast<size_t>(index))->view()->setVisible(true);
}

void Form1::TabStrip1_Click()
{
    ShowView(static_cast<std::int16_t>(TabStrip1->selectedTab() - 1));
}

std::int16_t Form1::visibleView() const
{
    std::int16_t index = 3;
    for (std::int16_t i = 0; i < 3; ++i)
        if (!wb[i]->view()->isHidden())
            index = i;
    return index;
}

void Form1::wb_StatusTextChange(std::int16_t, const QString& text)
{
    m_messages->showPassing(text);
}

void Form1::showMessage(const QString& text)
{
    m_messages->showLasting(text, StatusMessages::Lasts::UntilPageLoad);
}

void Form1::wb_ProgressChange(std::int16_t index, int progress, int progressMax)
{
    if (index != 0 || progressMax == 0)
        return;
    pb1->setMax(progressMax);
    pb1->setMeterValue(progress > progressMax || progress <= 0 ? 0.01 : progress);
}

void Form1::wb_TitleChange(std::int16_t index, const QString&)
{
    if (index != 0)
        return;
    m_typedUrl->follow(wb[0]->LocationURL());
    setWindowTitle(m_context.identity().productByCompany() + " - " + wb[0]->LocationName());
}

void Form1::wb_DownloadBegin(std::int16_t index)
{
    if (index == 0)
        m_messages->pageLoadBegan();
}

void Form1::wb_DocumentReady(std::int16_t index)
{
    if (index == 0)
        captureIfChanged();
}

void Form1::wb_DownloadComplete(std::int16_t index)
{
    if (index == 0)
        captureIfChanged();
}

void Form1::stopAllViews()
{
    for (BrowserControl* view : wb)
        view->Stop();
}

void Form1::closeEvent(QCloseEvent* event)
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
