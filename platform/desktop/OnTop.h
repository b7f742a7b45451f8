#pragma once

class QWidget;

namespace varrow
{

// Makes `window` stay above other windows, or ends that state, and activates it. Position and
// size stay as they are.
void SetOnTop(QWidget& window, bool onTop);

} // namespace varrow
