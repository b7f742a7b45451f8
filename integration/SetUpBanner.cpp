#include "integration/ControlType.h"
#include "integration/modSkin.h"
#include "platform/browser/BrowserControl.h"
#include "platform/desktop/DesignGeometry.h"

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

void SetUpBanner(BrowserControl& banner, QWidget& picture, DesignGeometry& design,
                 const QString& bannerAddress)
{
    QWidget* view = banner.view();
    auto* picBox = new QFrame(view->parentWidget());
    picBox->setObjectName("picBox");
    setControlTypeName(*picBox, "PictureBox");

    const TwipsRect bannerTwips = design.of(view);
    design.place(picBox, toTwipsRect(bannerStrip(toRect(bannerTwips), ScaleMode::Twips)));
    picBox->setFrameShape(QFrame::NoFrame);

    view->setParent(picBox);
    design.place(view, {0, 0, bannerTwips.width, bannerTwips.height});
    picBox->show();
    picBox->update();

    view->show();
    picture.hide();
    banner.Navigate(bannerAddress);
}

} // namespace varrow
