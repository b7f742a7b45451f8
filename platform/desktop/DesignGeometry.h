#pragma once

#include "platform/desktop/Twips.h"

#include <utility>
#include <vector>

class QWidget;

namespace varrow
{

// The places of a window's controls in twips, kept as the controls' own properties are: a control
// is placed from its twips, relative to its container, and reports the same twips back whatever
// the screen's resolution.
class DesignGeometry
{
public:
    // Converts with the resolution of `window`, which must outlive this object.
    explicit DesignGeometry(const QWidget& window);

    // Places `control` and remembers `twips` for it.
    void place(QWidget* control, const TwipsRect& twips);
    // The twips last given for `control`; all zero for a control never placed.
    TwipsRect of(const QWidget* control) const;

    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;
    int toTwipsX(int pixels) const;
    int toTwipsY(int pixels) const;

private:
    const QWidget& m_window;
    std::vector<std::pair<const QWidget*, TwipsRect>> m_places;
};

} // namespace varrow
