#pragma once

class QWidget;

namespace varrow
{

// Window geometry is designed in twips: 1440 per inch at the screen's logical resolution.
inline constexpr int kTwipsPerInch = 1440;

// A control's place in twips, relative to the window's client area.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

int twipsToPixelsX(const QWidget* widget, int twips);
int twipsToPixelsY(const QWidget* widget, int twips);
int pixelsToTwipsX(const QWidget* widget, int pixels);
int pixelsToTwipsY(const QWidget* widget, int pixels);

} // namespace varrow
