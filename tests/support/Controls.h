#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

namespace varrow::testing
{

// The control that `window` made under `designName`, its objectName. Throws when the window has
// none of that name and type, which fails the test that asked.
template <typename Control> Control& control(const QObject& window, const QString& designName)
{
    if (auto* found = window.findChild<Control*>(designName))
        return *found;
    throw std::logic_error("no control " + designName.toStdString() + " in " +
                           window.objectName().toStdString());
}

} // namespace varrow::testing
