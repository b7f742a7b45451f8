#include "windows/SiteWindow.h"

#include "integration/Skin.h"
#include "integration/SkinLabel.h"
#include "integration/modSkin.h"
#include "platform/browser/BrowserControl.h"
#include "platform/desktop/OnTop.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TypedAddress.h"
#include "platform/desktop/WindowChrome.h"
#include "shell/ProgramDirectory.h"
#include "shell/WindowContext.h"
#include "windows/SiteFallbackPage.h"
#include "windows/SiteLayout.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace varrow
{
namespace
{

constexpr int kClientWidth = 10545;
constexpr int kClientHeight = 8580;

// The site window's design.
constexpr ControlDesign kDesign[] = {
    {"frmBrowser", {60, 0, 6375, 7215}, "Browser"},
    {"Label5", {120, 300, 495, 255}, "URL:"}, // partly behind Text1
    {"Text1", {540, 240, 4875, 315}},
    {"Command3", {5460, 240, 795, 315}, "", "browse the entered url", ":/varrow/go.png"},
    {"Command4", {540, 600, 435, 435}, "", "back", ":/varrow/back.png"},
    {"Command5", {1020, 600, 435, 435}, "", "forward", ":/varrow/forward.png"},
    {"Command6", {1500, 600, 435, 435}, "", "stop", ":/varrow/stop.png"},
    {"Command7", {1980, 600, 435, 435}, "", "refresh", ":/varrow/refresh.png"},
    {"WebBrowser1", {120, 1140, 6135, 5595}},
};

} // namespace

SiteWindow::SiteWindow(WindowContext& context)
    : QWidget(nullptr, Qt::Window), m_context(context), m_design(*this)
{
    setObjectName("frmWebsite");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(":/varrow/icon.png"));
    resize(m_design.toPixelsX(kClientWidth), m_design.toPixelsY(kClientHeight));

    m_browserFrame = new QGroupBox(tr(designOf(kDesign, "frmBrowser").caption), this);
    m_browserFrame->setObjectName("frmBrowser");
    m_design.place(m_browserFrame, designOf(kDesign, "frmBrowser").twips);

    auto* addressCaption = new QLabel(tr(designOf(kDesign, "Label5").caption), m_browserFrame);
    addressCaption->setObjectName("Label5");
    m_design.place(addressCaption, designOf(kDesign, "Label5").twips);
    m_addressBox = new QLineEdit(m_browserFrame);
    m_addressBox->setObjectName("Text1");
    m_design.place(m_addressBox, designOf(kDesign, "Text1").twips);
    m_browseButton = makeButton(designOf(kDesign, "Command3"));
    m_backButton = makeButton(designOf(kDesign, "Command4"));
    m_forwardButton = makeButton(designOf(kDesign, "Command5"));
    m_stopButton = makeButton(designOf(kDesign, "Command6"));
    m_refreshButton = makeButton(designOf(kDesign, "Command7"));

    m_browser = m_context.services().makeBrowser(m_browserFrame, BrowserRole::Browsing);
    m_browser->setObjectName("WebBrowser1");
    m_design.place(m_browser->view(), designOf(kDesign, "WebBrowser1").twips);
    m_typedAddress = new TypedAddress(*m_addressBox, [this] { return m_browser->LocationURL(); });
    SkinLabel::createTemplate(*m_browserFrame);

    m_statusBar = new StatusBar(this);
    m_statusBar->setObjectName("StatusBar1");
    dockStatusBar(m_design, *m_statusBar, size());

    connect(m_browseButton, &QToolButton::clicked, this, &SiteWindow::browseTyped);
    connect(m_backButton, &QToolButton::clicked, this, &SiteWindow::goBack);
    connect(m_forwardButton, &QToolButton::clicked, this, &SiteWindow::goForward);
    connect(m_stopButton, &QToolButton::clicked, this, &SiteWindow::stop);
    connect(m_refreshButton, &QToolButton::clicked, this, &SiteWindow::refresh);
    // Enter runs the browse button's command; the box still gets the key.
    connect(m_addressBox, &QLineEdit::returnPressed, this, &SiteWindow::browseTyped);
    connect(m_browser, &BrowserControl::StatusTextChange, this, &SiteWindow::showStatusText);
    connect(m_browser, &BrowserControl::DownloadBegin, this, &SiteWindow::showOpening);
    connect(m_browser, &BrowserControl::DownloadComplete, this, &SiteWindow::showCompleted);
}

QToolButton* SiteWindow::makeButton(const ControlDesign& control)
{
    QToolButton* button = varrow::makeButton(
        m_browserFrame, m_design, control.name,
        {tr(control.caption), tr(control.toolTip), control.twips, control.picture});
    const int side = std::min(button->width(), button->height()) - 6;
    button->setIconSize(QSize(side, side));
    return button;
}

void SiteWindow::load()
{
    m_context.LoadIdentity();
    m_statusBar->addPanel();
    const Identity& identity = m_context.identity();
    setWindowTitle(identity.WebsiteText);
    SetOnTop(*this, true);
    if (skinningOn(identity.UseSkin)) {
        LoadSkinLabels(*this, SkinLabelScope::TemplateContainer);
        ApplySkin(*this, [this] { m_context.loadSkin(); });
    }
    const ProgramServices& services = m_context.services();
    m_browser->setFallbackPage(
        identity.WebsiteText,
        siteFallbackPage(services.readVersionInfo(), services.programDirectory / kHelpFileName));
    browse(identity.WebsiteText);
    setWindowState(windowState() | Qt::WindowMaximized);
    SetOnTop(*this, false);
}

QSize SiteWindow::outerSizeInTwips() const
{
    const QSize outer = frameGeometry().size();
    return {m_design.toTwipsX(outer.width()), m_design.toTwipsY(outer.height())};
}

void SiteWindow::setPanelWidth(int panel, int twips)
{
    const int pixels = m_design.toPixelsX(twips);
    // Setting a panel repaints the bar, which would paint the window and arrange it again.
    if (m_statusBar->panelWidth(panel) != pixels)
        m_statusBar->setPanelWidth(panel, pixels);
}

void SiteWindow::arrangeControls()
{
    const QSize outer = outerSizeInTwips();
    const TwipsRect address = m_design.of(m_addressBox);
    const TwipsRect browseButton = m_design.of(m_browseButton);
    const TwipsRect browser = m_design.of(m_browser->view());
    const SiteLayout layout =
        arrangeSiteWindow({outer.width(), outer.height(), m_design.of(m_statusBar).height,
                           address.left, browseButton.width, browser.left, browser.top});

    if (m_statusBar->panelCount() >= 2) {
        setPanelWidth(1, layout.panel1Width);
        setPanelWidth(2, layout.panel2Width);
    }
    const TwipsRect frame = m_design.of(m_browserFrame);
    m_design.place(m_browserFrame, {frame.left, frame.top, layout.frameWidth, layout.frameHeight});
    m_design.place(m_addressBox, {address.left, address.top, layout.addressWidth, address.height});
    m_design.place(m_browseButton,
                   {layout.browseLeft, browseButton.top, browseButton.width, browseButton.height});
    m_design.place(m_browser->view(),
                   {browser.left, browser.top, layout.browserWidth, layout.browserHeight});
}

void SiteWindow::paintEvent(QPaintEvent* event)
{
    arrangeControls();
    QWidget::paintEvent(event);
}

void SiteWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    dockStatusBar(m_design, *m_statusBar, size());
    arrangeControls();
}

void SiteWindow::browse(const QString& address)
{
    try {
        m_browser->Navigate(address);
    } catch (const BrowserError& refused) {
        m_statusBar->setPanelText(1, QString::fromStdString(refused.what()));
    }
}

void SiteWindow::browseTyped()
{
    m_typedAddress->sent();
    browse(m_addressBox->text());
}

void SiteWindow::goBack()
{
    ignoringErrors([this] { m_browser->GoBack(); });
}

void SiteWindow::goForward()
{
    ignoringErrors([this] { m_browser->GoForward(); });
}

void SiteWindow::stop()
{
    ignoringErrors([this] { m_browser->Stop(); });
}

void SiteWindow::refresh()
{
    ignoringErrors([this] { m_browser->Refresh(); });
}

void SiteWindow::showStatusText(const QString& text)
{
    m_statusBar->setPanelText(1, text);
}

void SiteWindow::showOpening()
{
    m_statusBar->setPanelText(2, "Opening " + m_browser->LocationURL());
}

void SiteWindow::showCompleted()
{
    m_statusBar->setPanelText(2, "Completed " + m_browser->LocationURL());
    m_typedAddress->follow(m_browser->LocationURL());
    setWindowTitle(m_browser->LocationName());
}

void SiteWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_context.forgetWindow(this);
    if (m_context.mainWindowClosed()) {
        if (skinningOn(m_context.identity().UseSkin))
            SkinGlobal::Release();
        m_context.EndProgram();
    }
}

} // namespace varrow
