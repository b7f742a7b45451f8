#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;

namespace varrow
{

class Skin;
class TickTimer;
class WindowContext;

// The splash window: shows the product picture while its timer counts 75 ticks, then opens the
// main window and hides itself. Its design names: Image1 the picture, Label3 the line under it,
// Timer2 the timer.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    // `skin` is the program's skin, which the load stores and applies when skinning is on.
    SplashWindow(WindowContext& context, Skin& skin);

    void load();
    // One tick of the timer; the 75th opens the main window.
    void tick();
    // Stops counting, so that the main window is not opened, and hides the window.
    void holdBack();
    // How far the count has gone: 2 a tick.
    std::int16_t count() const { return m_count; }

private:
    WindowContext& m_context;
    Skin& m_skin;
    QLabel* m_picture;
    QLabel* m_caption;
    TickTimer* m_timer;
    std::int16_t m_count = 0;
};

} // namespace varrow
