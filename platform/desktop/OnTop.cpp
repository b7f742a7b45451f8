#include "platform/desktop/OnTop.h"

#include <QWidget>

namespace varrow
{

void SetOnTop(QWidget& window, bool onTop)
{
    const bool wasVisible = window.isVisible();
    const QRect geometry = window.geometry();
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        // Changing a window flag re-creates the native window and hides it.
        window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        window.setGeometry(geometry);
        if (wasVisible)
            window.show();
    }
    if (wasVisible) {
        window.raise();
        window.activateWindow();
    }
}

} // namespace varrow
