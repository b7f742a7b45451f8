#include "shell/frmSplash.h"

#include "integration/modSkin.h"
#include "platform/desktop/Twips.h"
#include "shell/WindowContext.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace varrow
{
namespace
{

constexpr int kClientWidth = 7170;
constexpr int kClientHeight = 4770;
constexpr int kLastCount = 150; // reached on the 75th tick

} // namespace

frmSplash::frmSplash(WindowContext& context)
    : QWidget(nullptr, Qt::SplashScreen), Image1(new QLabel(this)), Label3(new QLabel(this)),
      m_context(context)
{
    setObjectName("frmSplash");
    const QSize size(twipsToPixelsX(this, kClientWidth), twipsToPixelsY(this, kClientHeight));
    resize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Image1->setObjectName("Image1");
    Image1->setGeometry(0, 0, size.width(), size.height() * 4 / 5);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap(":/varrow/splash.png")
                          .scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    Label3->setObjectName("Label3");
    Label3->setGeometry(0, Image1->height(), size.width(), size.height() - Image1->height());
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setWordWrap(true);
    Label3->setText(tr("Every page you open, taken apart: its source and all of its images."));

    Timer2.setEnabled(false);
    Timer2.setInterval(2);
    connect(&Timer2, &TickTimer::Timer, this, &frmSplash::Timer2_Timer);
}

void frmSplash::Form_Load()
{
    m_context.setMainWindowClosed(false);
    m_context.LoadIdentity();
    if (skinningOn(m_context.identity().UseSkin)) {
        setSkinObject(&skn);
        ApplySkin(*this, [this] { m_context.loadSkin(); });
        SkinGlobal::SetSkin(skn);
        SkinGlobal::Refresh();
    }
    Timer2.setEnabled(true);
}

void frmSplash::Timer2_Timer()
{
    intTemp = static_cast<std::int16_t>(intTemp + 2);
    if (intTemp != kLastCount)
        return;
    Timer2.setEnabled(false);
    m_context.showMainWindow();
    hide();
}

} // namespace varrow
