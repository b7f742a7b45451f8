#pragma once

class QWidget;

namespace varrow
{

// Window geometry is designed in twips: 1440 per inch at the screen's logical resolution.
inline constexpr int kTwipsPerInch = 1440;

int twipsToPixelsX(const QWidget* widget, int twips);
int twipsToPixelsY(const QWidget* widget, int twips);
int pixelsToTwipsX(const QWidget* widget, int pixels);
int pixelsToTwipsY(const QWidget* widget, int pixels);

} // namespace varrow
