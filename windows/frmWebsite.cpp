#include "windows/frmWebsite.h"

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

frmWebsite::frmWebsite(WindowContext& context)
    : QWidget(nullptr, Qt::Window), m_context(context), m_design(*this)
{
    setObjectName("frmWebsite");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(":/varrow/icon.png"));
    resize(m_design.toPixelsX(kClientWidth), m_design.toPixelsY(kClientHeight));

    frmBrowser = new QGroupBox(tr(designOf(kDesign, "frmBrowser").caption), this);
    frmBrowser->setObjectName("frmBrowser");
    m_design.place(frmBrowser, designOf(kDesign, "frmBrowser").twips);

    Label5 = new QLabel(tr(designOf(kDesign, "Label5").caption), frmBrowser);
    Label5->setObjectName("Label5");
    m_design.place(Label5, designOf(kDesign, "Label5").twips);
    Text1 = new QLineEdit(frmBrowser);
    Text1->setObjectName("Text1");
    m_design.place(Text1, designOf(kDesign, "Text1").twips);
    for (const ControlDesign& control : kDesign)
        if (control.picture)
            makeButton(control);
    const auto button = [this](const char* name) {
        return frmBrowser->findChild<QToolButton*>(name, Qt::FindDirectChildrenOnly);
    };
    Command3 = button("Command3");
    Command4 = button("Command4");
    Command5 = button("Command5");
    Command6 = button("Command6");
    Command7 = button("Command7");

    WebBrowser1 = m_context.services().makeBrowser(frmBrowser, BrowserRole::Browsing);
    WebBrowser1->setObjectName("WebBrowser1");
    m_design.place(WebBrowser1->view(), designOf(kDesign, "WebBrowser1").twips);
    m_typedAddress = new TypedAddress(*Text1, [this] { return WebBrowser1->LocationURL(); });
    SkinLabel::createTemplate(*frmBrowser);

    StatusBar1 = new StatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    dockStatusBar(m_design, *StatusBar1, size());

    connect(Command3, &QToolButton::clicked, this, &frmWebsite::Command3_Click);
    connect(Command4, &QToolButton::clicked, this, &frmWebsite::Command4_Click);
    connect(Command5, &QToolButton::clicked, this, &frmWebsite::Command5_Click);
    connect(Command6, &QToolButton::clicked, this, &frmWebsite::Command6_Click);
    connect(Command7, &QToolButton::clicked, this, &frmWebsite::Command7_Click);
    // Enter runs the browse button's command; the box still gets the key.
    connect(Text1, &QLineEdit::returnPressed, this, &frmWebsite::Command3_Click);
    connect(WebBrowser1, &BrowserControl::StatusTextChange, this,
            &frmWebsite::WebBrowser1_StatusTextChange);
    connect(WebBrowser1, &BrowserControl::DownloadBegin, this,
            &frmWebsite::WebBrowser1_DownloadBegin);
    connect(WebBrowser1, &BrowserControl::DownloadComplete, this,
            &frmWebsite::WebBrowser1_DownloadComplete);
}

void frmWebsite::makeButton(const ControlDesign& control)
{
    QToolButton* button = varrow::makeButton(
        frmBrowser, m_design, control.name,
        {tr(control.caption), tr(control.toolTip), control.twips, control.picture});
    const int side = std::min(button->width(), button->height()) - 6;
    button->setIconSize(QSize(side, side));
}

void frmWebsite::Form_Load()
{
    m_context.LoadIdentity();
    StatusBar1->addPanel();
    const Identity& identity = m_context.identity();
    setWindowTitle(identity.WebsiteText);
    SetOnTop(*this, true);
    if (skinningOn(identity.UseSkin)) {
        LoadSkinLabels(*this, SkinLabelScope::TemplateContainer);
        ApplySkin(*this, [this] { m_context.loadSkin(); });
    }
    const ProgramServices& services = m_context.services();
    WebBrowser1->setFallbackPage(
        identity.WebsiteText,
        siteFallbackPage(services.readVersionInfo(), services.programDirectory / kHelpFileName));
    browse(identity.WebsiteText);
    setWindowState(windowState() | Qt::WindowMaximized);
    SetOnTop(*this, false);
}

QSize frmWebsite::outerSizeInTwips() const
{
    const QSize outer = frameGeometry().size();
    return {m_design.toTwipsX(outer.width()), m_design.toTwipsY(outer.height())};
}

void frmWebsite::setPanelWidth(int panel, int twips)
{
    const int pixels = m_design.toPixelsX(twips);
    // Setting a panel repaints the bar, which would paint the window and arrange it again.
    if (StatusBar1->panelWidth(panel) != pixels)
        StatusBar1->setPanelWidth(panel, pixels);
}

void frmWebsite::ArrangeSiteWindow()
{
    const QSize outer = outerSizeInTwips();
    const TwipsRect address = m_design.of(Text1);
    const TwipsRect browseButton = m_design.of(Command3);
    const TwipsRect browser = m_design.of(WebBrowser1->view());
    const SiteLayout layout =
        arrangeSiteWindow({outer.width(), outer.height(), m_design.of(StatusBar1).height,
                           address.left, browseButton.width, browser.left, browser.top});

    if (StatusBar1->panelCount() >= 2) {
        setPanelWidth(1, layout.panel1Width);
        setPanelWidth(2, layout.panel2Width);
    }
    const TwipsRect frame = m_design.of(frmBrowser);
    m_design.place(frmBrowser, {frame.left, frame.top, layout.frameWidth, layout.frameHeight});
    m_design.place(Text1, {address.left, address.top, layout.addressWidth, address.height});
    m_design.place(Command3,
                   {layout.browseLeft, browseButton.top, browseButton.width, browseButton.height});
    m_design.place(WebBrowser1->view(),
                   {browser.left, browser.top, layout.browserWidth, layout.browserHeight});
}

void frmWebsite::paintEvent(QPaintEvent* event)
{
    ArrangeSiteWindow();
    QWidget::paintEvent(event);
}

void frmWebsite::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    dockStatusBar(m_design, *StatusBar1, size());
    ArrangeSiteWindow();
}

void frmWebsite::browse(const QString& address)
{
    try {
        WebBrowser1->Navigate(address);
    } catch (const BrowserError& refused) {
        StatusBar1->setPanelText(1, QString::fromStdString(refused.what()));
    }
}

void frmWebsite::Command3_Click()
{
    m_typedAddress->sent();
    browse(Text1->text());
}

void frmWebsite::Command4_Click()
{
    ignoringErrors([this] { WebBrowser1->GoBack(); });
}

void frmWebsite::Command5_Click()
{
    ignoringErrors([this] { WebBrowser1->GoForward(); });
}

void frmWebsite::Command6_Click()
{
    ignoringErrors([this] { WebBrowser1->Stop(); });
}

void frmWebsite::Command7_Click()
{
    ignoringErrors([this] { WebBrowser1->Refresh(); });
}

void frmWebsite::WebBrowser1_StatusTextChange(const QString& text)
{
    StatusBar1->setPanelText(1, text);
}

void frmWebsite::WebBrowser1_DownloadBegin()
{
    StatusBar1->setPanelText(2, "Opening " + WebBrowser1->LocationURL());
}

void frmWebsite::WebBrowser1_DownloadComplete()
{
    StatusBar1->setPanelText(2, "Completed " + WebBrowser1->LocationURL());
    m_typedAddress->follow(WebBrowser1->LocationURL());
    setWindowTitle(WebBrowser1->LocationName());
}

void frmWebsite::closeEvent(QCloseEvent* event)
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
