#pragma once

#include <QColor>
#include <QObject>

class QWidget;

namespace varrow
{

// The theming facility behind the UseSkin switch: three colours and an operation that skins a
// window. The first colour is the face of buttons and text boxes, the second the colour of their
// text, the third the colour of picture boxes and window backgrounds.
class Skin : public QObject
{
    Q_OBJECT

public:
    // A skin in the program's own colours.
    explicit Skin(QObject* parent = nullptr);
    Skin(QColor first, QColor second, QColor third, QObject* parent = nullptr);

    // The colours as 32-bit values (0xAARRGGBB).
    QRgb firstColour() const { return m_first.rgba(); }
    QRgb secondColour() const { return m_second.rgba(); }
    QRgb thirdColour() const { return m_third.rgba(); }

    // Skins `window`: its background takes the third colour and its text the second; controls
    // that were given colours of their own keep them.
    void Apply(QWidget& window) const;

    // Turns skinning on or off for the whole program, whatever UseSkin says. Off at start.
    static void setTurnedOn(bool on);
    static bool turnedOn();

private:
    QColor m_first;
    QColor m_second;
    QColor m_third;
};

// True when windows skin themselves as they load: `useSkin` (the identity's UseSkin switch) is
// on, or the facility has been turned on.
bool skinningOn(bool useSkin);

// What the skin does for the application as a whole rather than for one window: tooltips belong
// to no window, so only here can they take the skin's colours.
namespace SkinGlobal
{

// Start-up: the application's tooltips take the colours of `skin`.
void SetSkin(const Skin& skin);
// Start-up: repaints the windows already shown, so that they pick up the change.
void Refresh();
// Clean-up just before the program ends: tooltips get their own colours back.
void Release();

} // namespace SkinGlobal

} // namespace varrow
