#pragma once

#include "integration/Skin.h"
#include "platform/desktop/TickTimer.h"

#include <QWidget>
#include <cstdint>

class QLabel;

namespace varrow
{

class WindowContext;

// The splash window: shows the product picture while its timer counts 75 ticks, then opens the
// main window and hides itself.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(WindowContext& context);

    void Form_Load();
    void Timer2_Timer();

    std::int16_t intTemp = 0;
    TickTimer Timer2;
    QLabel* Image1;
    QLabel* Label3;
    Skin skn; // the program's skin, used when skinning is on

private:
    WindowContext& m_context;
};

} // namespace varrow
