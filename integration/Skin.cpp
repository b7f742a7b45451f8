#include "integration/Skin.h"

#include <QApplication>
#include <QPalette>
#include <QToolTip>
#include <QWidget>
#include <optional>

namespace varrow
{
namespace
{

bool& turnedOnSetting()
{
    static bool on = false;
    return on;
}

// The tooltips' own palette while the skin colours them.
std::optional<QPalette>& unskinnedToolTips()
{
    static std::optional<QPalette> palette;
    return palette;
}

} // namespace

Skin::Skin(QObject* parent)
    : Skin(QColor(0xea, 0xf0, 0xf8), QColor(0x1b, 0x2b, 0x48), QColor(0xc5, 0xd3, 0xe8), parent)
{
}

Skin::Skin(QColor first, QColor second, QColor third, QObject* parent)
    : QObject(parent), m_first(first), m_second(second), m_third(third)
{
}

void Skin::Apply(QWidget& window) const
{
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, m_third);
    palette.setColor(QPalette::WindowText, m_second);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void Skin::setTurnedOn(bool on)
{
    turnedOnSetting() = on;
}

bool Skin::turnedOn()
{
    return turnedOnSetting();
}

bool skinningOn(bool useSkin)
{
    return useSkin || Skin::turnedOn();
}

namespace SkinGlobal
{

void SetSkin(const Skin& skin)
{
    if (!unskinnedToolTips())
        unskinnedToolTips() = QToolTip::palette();
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor::fromRgba(skin.firstColour()));
    palette.setColor(QPalette::ToolTipText, QColor::fromRgba(skin.secondColour()));
    QToolTip::setPalette(palette);
}

void Refresh()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        window->update();
}

void Release()
{
    if (unskinnedToolTips()) {
        QToolTip::setPalette(*unskinnedToolTips());
        unskinnedToolTips().reset();
    }
}

} // namespace SkinGlobal

} // namespace varrow
