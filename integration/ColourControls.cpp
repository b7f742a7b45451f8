#include "integration/ControlType.h"
#include "integration/modSkin.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <array>

namespace varrow
{
namespace
{

enum class SkinColour { Unchanged, First, Second, Third };

struct ColourRule {
    QStringList typeNames;
    SkinColour backColor;
    SkinColour foreColor;
};

// Applied in this order; type names are compared exactly.
const std::array<ColourRule, 3>& colourTable()
{
    static const std::array<ColourRule, 3> table{{
        {{"CommandButton"}, SkinColour::First, SkinColour::Unchanged},
        {{"TextBox", "ComboBox", "FileListBox", "DirListBox", "DriveListBox", "ListBox",
          "ListView"},
         SkinColour::First,
         SkinColour::Second},
        {{"PictureBox"}, SkinColour::Third, SkinColour::Unchanged},
    }};
    return table;
}

// Where a widget kind keeps its background and its text colour.
struct ColourRoles {
    QPalette::ColorRole back;
    QPalette::ColorRole fore;
};

ColourRoles rolesOf(const QWidget& control)
{
    if (qobject_cast<const QAbstractButton*>(&control))
        return {QPalette::Button, QPalette::ButtonText};
    if (qobject_cast<const QLineEdit*>(&control) || qobject_cast<const QComboBox*>(&control) ||
        qobject_cast<const QAbstractScrollArea*>(&control))
        return {QPalette::Base, QPalette::Text};
    return {QPalette::Window, QPalette::WindowText};
}

void setColour(QWidget& control, QPalette::ColorRole role, QRgb colour)
{
    QPalette palette = control.palette();
    palette.setColor(role, QColor::fromRgba(colour));
    control.setPalette(palette);
    if (role == QPalette::Window)
        control.setAutoFillBackground(true);
}

} // namespace

void ColourControls(QWidget& window, QRgb first, QRgb second, QRgb third)
{
    const auto colourOf = [&](SkinColour which) {
        return which == SkinColour::First ? first : which == SkinColour::Second ? second : third;
    };
    for (QWidget* control : windowControls(window)) {
        const QString typeName = controlTypeName(*control);
        const ColourRoles roles = rolesOf(*control);
        for (const ColourRule& rule : colourTable()) {
            if (!rule.typeNames.contains(typeName))
                continue;
            if (rule.backColor != SkinColour::Unchanged)
                setColour(*control, roles.back, colourOf(rule.backColor));
            if (rule.foreColor != SkinColour::Unchanged)
                setColour(*control, roles.fore, colourOf(rule.foreColor));
        }
    }
}

} // namespace varrow
