#include "integration/Skin.h"
#include "integration/modSkin.h"

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

} // namespace

void setSkinObject(Skin* skin)
{
    skinReference() = skin;
}

Skin* skinObject()
{
    return skinReference().data();
}

void ApplySkin(QWidget& window, const std::function<void()>& loadSkin)
{
    try {
        skinWindow(window);
    } catch (const SkinError&) {
        loadSkin();
        skinWindow(window);
    }
}

} // namespace varrow
