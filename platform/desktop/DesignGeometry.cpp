#include "platform/desktop/DesignGeometry.h"

#include "platform/desktop/Twips.h"

#include <QWidget>
#include <algorithm>

namespace varrow
{

DesignGeometry::DesignGeometry(const QWidget& window) : m_window(window) {}

void DesignGeometry::place(QWidget* control, const TwipsRect& twips)
{
    auto found = std::find_if(m_places.begin(), m_places.end(),
                              [control](const auto& entry) { return entry.first == control; });
    if (found == m_places.end())
        m_places.emplace_back(control, twips);
    else
        found->second = twips;
    control->setGeometry(toPixelsX(twips.left), toPixelsY(twips.top), toPixelsX(twips.width),
                         toPixelsY(twips.height));
}

TwipsRect DesignGeometry::of(const QWidget* control) const
{
    for (const auto& [widget, twips] : m_places)
        if (widget == control)
            return twips;
    return {};
}

int DesignGeometry::toPixelsX(int twips) const
{
    return twipsToPixelsX(&m_window, twips);
}

int DesignGeometry::toPixelsY(int twips) const
{
    return twipsToPixelsY(&m_window, twips);
}

int DesignGeometry::toTwipsX(int pixels) const
{
    return pixelsToTwipsX(&m_window, pixels);
}

int DesignGeometry::toTwipsY(int pixels) const
{
    return pixelsToTwipsY(&m_window, pixels);
}

} // namespace varrow
