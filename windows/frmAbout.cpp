#include "windows/frmAbout.h"

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

frmAbout::frmAbout(WindowContext& context)
    : QWidget(nullptr, Qt::Window), m_context(context), m_design(*this)
{
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(":/varrow/icon.png"));
    QFont verdana("Verdana");
    verdana.setPointSizeF(8.25);
    setFont(verdana);
    setFixedSize(m_design.toPixelsX(kClientWidth), m_design.toPixelsY(kClientHeight));

    Picture1 = new QLabel(this);
    Picture1->setObjectName("Picture1");
    setControlTypeName(*Picture1, "PictureBox");
    m_design.place(Picture1, {240, 240, kPictureSize, kPictureSize});
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setPixmap(QIcon(":/varrow/about.png").pixmap(Picture1->size()));

    Label1 = makeLabel("Label1", tr("Your Program Name"), {kCaptionLeft, 240, 4275, 480});
    QFont title = Label1->font();
    title.setPointSizeF(14);
    title.setBold(true);
    Label1->setFont(title);
    Label2 =
        makeLabel("Label2", tr("Version:"), {kCaptionLeft, rowTop(0), kCaptionWidth, kRowHeight});
    lblVersion =
        makeLabel("lblVersion", tr("Version:"), {kValueLeft, rowTop(0), kValueWidth, kRowHeight});
    Label3 =
        makeLabel("Label3", tr("Owned By:"), {kCaptionLeft, rowTop(1), kCaptionWidth, kRowHeight});
    lblCompany =
        makeLabel("lblCompany", tr("Owned By:"), {kValueLeft, rowTop(1), kValueWidth, kRowHeight});
    Label4 =
        makeLabel("Label4", tr("Website:"), {kCaptionLeft, rowTop(2), kCaptionWidth, kRowHeight});
    lblWebsite =
        makeLabel("lblWebsite", tr("Website:"), {kValueLeft, rowTop(2), kValueWidth, kRowHeight});
    QFont link = lblWebsite->font();
    link.setUnderline(true);
    lblWebsite->setFont(link);
    QPalette linkColour = lblWebsite->palette();
    linkColour.setColor(QPalette::WindowText, linkColour.color(QPalette::Link));
    lblWebsite->setPalette(linkColour);
    lblWebsite->setCursor(Qt::PointingHandCursor);
    lblWebsite->installEventFilter(this);

    SkinLabel::createTemplate(*this);
}

QLabel* frmAbout::makeLabel(const char* name, const QString& caption, const TwipsRect& twips)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    m_design.place(label, twips);
    return label;
}

void frmAbout::Form_Load()
{
    const Identity& identity = m_context.identity();
    setWindowTitle("About " + identity.ProductNameText);

    const ProgramServices& services = m_context.services();
    Label1->setText(QString::fromStdString(services.readVersionInfo().productName));
    lblCompany->setText(QString::fromStdString(services.readVersionInfo().companyName));
    const VersionInfo version = services.readVersionInfo();
    lblVersion->setText(QString::number(version.major) + "." + QString::number(version.minor));
    lblWebsite->setText(QString::fromStdString(services.readVersionInfo().comments));

    if (skinningOn(identity.UseSkin)) {
        LoadSkinLabels(*this, SkinLabelScope::AllLabels);
        ApplySkin(*this, [this] { m_context.loadSkin(); });
    }
}

void frmAbout::lblWebsite_Click()
{
    m_context.showSiteWindow();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblWebsite && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        lblWebsite_Click();
    return QWidget::eventFilter(watched, event);
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_context.forgetWindow(this);
}

} // namespace varrow
