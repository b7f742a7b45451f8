#include "shell/SplashWindow.h"

#include "integration/Skin.h"
#include "integration/modSkin.h"
#include "platform/desktop/TickTimer.h"
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

SplashWindow::SplashWindow(WindowContext& context, Skin& skin)
    : QWidget(nullptr, Qt::SplashScreen), m_context(context), m_skin(skin),
      m_picture(new QLabel(this)), m_caption(new QLabel(this)), m_timer(new TickTimer(this))
{
    setObjectName("frmSplash");
    const QSize size(twipsToPixelsX(this, kClientWidth), twipsToPixelsY(this, kClientHeight));
    resize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    m_picture->setObjectName("Image1");
    m_picture->setGeometry(0, 0, size.width(), size.height() * 4 / 5);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setPixmap(
        QPixmap(":/varrow/splash.png")
            .scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_caption->setObjectName("Label3");
    m_caption->setGeometry(0, m_picture->height(), size.width(),
                           size.height() - m_picture->height());
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    m_caption->setText(tr("Every page you open, taken apart: its source and all of its images."));

    m_timer->setObjectName("Timer2");
    m_timer->setEnabled(false);
    m_timer->setInterval(2);
    connect(m_timer, &TickTimer::Timer, this, &SplashWindow::tick);
}

void SplashWindow::load()
{
    m_context.setMainWindowClosed(false);
    m_context.LoadIdentity();
    if (skinningOn(m_context.identity().UseSkin)) {
        setSkinObject(&m_skin);
        ApplySkin(*this, [this] { m_context.loadSkin(); });
        SkinGlobal::SetSkin(m_skin);
        SkinGlobal::Refresh();
    }
    m_timer->setEnabled(true);
}

void SplashWindow::tick()
{
    m_count = static_cast<std::int16_t>(m_count + 2);
    if (m_count != kLastCount)
        return;
    m_timer->setEnabled(false);
    m_context.showMainWindow();
    hide();
}

void SplashWindow::holdBack()
{
    m_timer->setEnabled(false);
    hide();
}

} // namespace varrow
