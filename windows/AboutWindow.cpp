#include "windows/AboutWindow.h"

#include "integration/ControlType.h"
#include "integration/Skin.h"
#include "integration/SkinLabel.h"
#include "integration/modSkin.h"
#include "shell/WindowContext.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>

namespace varrow
{
namespace
{

constexpr int kClientWidth = 6495;
constexpr int kClientHeight = 2175;
constexpr int kPictureSize = 1440;
constexpr int kCaptionLeft = 1980;
constexpr int kValueLeft = 3240;
constexpr int kValueWidth = 3015;
constexpr int kCaptionWidth = 1215;
constexpr int kRowHeight = 255;

int rowTop(int row)
{
    return 960 + row * 360;
}

} // namespace

AboutWindow::AboutWindow(WindowContext& context)
    : QWidget(nullptr, Qt::Window), m_context(context), m_design(*this)
{
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(":/varrow/icon.png"));
    QFont verdana("Verdana");
    verdana.setPointSizeF(8.25);
    setFont(verdana);
    setFixedSize(m_design.toPixelsX(kClientWidth), m_design.toPixelsY(kClientHeight));

    m_picture = new QLabel(this);
    m_picture->setObjectName("Picture1");
    setControlTypeName(*m_picture, "PictureBox");
    m_design.place(m_picture, {240, 240, kPictureSize, kPictureSize});
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(QIcon(":/varrow/about.png").pixmap(m_picture->size()));

    m_productName = makeLabel("Label1", tr("Your Program Name"), {kCaptionLeft, 240, 4275, 480});
    QFont title = m_productName->font();
    title.setPointSizeF(14);
    title.setBold(true);
    m_productName->setFont(title);
    makeLabel("Label2", tr("Version:"), {kCaptionLeft, rowTop(0), kCaptionWidth, kRowHeight});
    m_version =
        makeLabel("lblVersion", tr("Version:"), {kValueLeft, rowTop(0), kValueWidth, kRowHeight});
    makeLabel("Label3", tr("Owned By:"), {kCaptionLeft, rowTop(1), kCaptionWidth, kRowHeight});
    m_company =
        makeLabel("lblCompany", tr("Owned By:"), {kValueLeft, rowTop(1), kValueWidth, kRowHeight});
    makeLabel("Label4", tr("Website:"), {kCaptionLeft, rowTop(2), kCaptionWidth, kRowHeight});
    m_website =
        makeLabel("lblWebsite", tr("Website:"), {kValueLeft, rowTop(2), kValueWidth, kRowHeight});
    QFont link = m_website->font();
    link.setUnderline(true);
    m_website->setFont(link);
    QPalette linkColour = m_website->palette();
    linkColour.setColor(QPalette::WindowText, linkColour.color(QPalette::Link));
    m_website->setPalette(linkColour);
    m_website->setCursor(Qt::PointingHandCursor);
    m_website->installEventFilter(this);

    SkinLabel::createTemplate(*this);
}

QLabel* AboutWindow::makeLabel(const char* name, const QString& caption, const TwipsRect& twips)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    m_design.place(label, twips);
    return label;
}

void AboutWindow::load()
{
    const Identity& identity = m_context.identity();
    setWindowTitle("About " + identity.ProductNameText);

    const ProgramServices& services = m_context.services();
    const VersionInfo version = services.readVersionInfo();
    m_productName->setText(QString::fromStdString(version.productName));
    m_company->setText(QString::fromStdString(version.companyName));
    m_version->setText(QString::number(version.major) + "." + QString::number(version.minor));
    m_website->setText(QString::fromStdString(version.comments));

    if (skinningOn(identity.UseSkin)) {
        LoadSkinLabels(*this, SkinLabelScope::AllLabels);
        ApplySkin(*this, [this] { m_context.loadSkin(); });
    }
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_website && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        m_context.showSiteWindow();
    return QWidget::eventFilter(watched, event);
}

void AboutWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_context.forgetWindow(this);
}

} // namespace varrow
