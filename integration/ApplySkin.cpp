#include "integration/Skin.h"
#include "integration/modSkin.h"
#include "app/Program.h"
#include "shell/frmSplash.h"

#include <QPointer>

namespace varrow
{
namespace
{

QPointer<Skin>& skinReference()
{
    static QPointer<Skin> skin;
    return skin;
}

void skinWindow(QWidget& window)
{
    const Skin* skin = skinObject();
    if (!skin)
        throw SkinError("No skin has been loaded");
    ColourControls(window, skin->firstColour(), skin->secondColour(), skin->thirdColour());
    skin->Apply(window);
}

// Loads the splash window for its skin and keeps it from opening the main window.
void recoverSkin(Program& program)
{
    // The splash window's load runs to its end, enabling the timer last, before start()
    // returns; there is nothing to wait for.
    if (!program.splashWindow())
        program.start();
    frmSplash* splash = program.splashWindow();
    splash->Timer2.setEnabled(false);
    splash->hide();
    // A splash window loaded while skinning was off has not stored its skin.
    if (!skinObject())
        setSkinObject(&splash->skn);
}

} // namespace

void setSkinObject(Skin* skin)
{
    skinReference() = skin;
}

Skin* skinObject()
{
    return skinReference().data();
}

void ApplySkin(Program& program, QWidget& window)
{
    try {
        skinWindow(window);
    } catch (const SkinError&) {
        recoverSkin(program);
        skinWindow(window);
    }
}

} // namespace varrow
