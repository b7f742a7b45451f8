#include "integration/ControlType.h"
#include "integration/modSkin.h"
#include "platform/browser/BrowserControl.h"
#include "shell/Form1.h"

#include <QFrame>
#include <QLabel>

namespace varrow
{
namespace
{

constexpr int kPixelsAllowance = 20;
constexpr int kTwipsAllowance = 280;

TwipsRect toTwipsRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect toRect(const TwipsRect& twips)
{
    return {twips.left, twips.top, twips.width, twips.height};
}

} // namespace

QRect bannerStrip(const QRect& banner, ScaleMode mode)
{
    const int allowance = mode == ScaleMode::Pixels ? kPixelsAllowance : kTwipsAllowance;
    return {banner.x(), banner.y(), banner.width() - allowance, banner.height()};
}

void SetUpBanner(Form1& window, const QString& bannerAddress)
{
    QWidget* banner = window.wbBanner->view();
    auto* picBox = new QFrame(banner->parentWidget());
    picBox->setObjectName("picBox");
    setControlTypeName(*picBox, "PictureBox");

    const TwipsRect bannerTwips = window.geometryOf(banner);
    window.setGeometryOf(picBox, toTwipsRect(bannerStrip(toRect(bannerTwips), ScaleMode::Twips)));
    picBox->setFrameShape(QFrame::NoFrame);

    banner->setParent(picBox);
    window.setGeometryOf(banner, {0, 0, bannerTwips.width, bannerTwips.height});
    picBox->show();
    picBox->update();

    banner->show();
    window.wbPicture->hide();
    window.wbBanner->Navigate(bannerAddress);
}

} // namespace varrow
