#include "platform/desktop/Twips.h"

#include <QWidget>
#include <cmath>

namespace varrow
{
namespace
{

int scaled(double value, double from, double to)
{
    return static_cast<int>(std::lround(value * to / from));
}

} // namespace

int twipsToPixelsX(const QWidget* widget, int twips)
{
    return scaled(twips, kTwipsPerInch, widget->logicalDpiX());
}

int twipsToPixelsY(const QWidget* widget, int twips)
{
    return scaled(twips, kTwipsPerInch, widget->logicalDpiY());
}

int pixelsToTwipsX(const QWidget* widget, int pixels)
{
    return scaled(pixels, widget->logicalDpiX(), kTwipsPerInch);
}

int pixelsToTwipsY(const QWidget* widget, int pixels)
{
    return scaled(pixels, widget->logicalDpiY(), kTwipsPerInch);
}

} // namespace varrow
