#pragma once

#include <QRect>
#include <QRgb>
#include <QString>
#include <functional>
#include <stdexcept>

class QWidget;

namespace varrow
{

class BrowserControl;
class DesignGeometry;
class Skin;

// The skin could not be applied because no skin has been loaded.
class SkinError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The program's skin object, stored by the splash window's load when skinning is on. Null before
// that and once the skin is gone.
void setSkinObject(Skin* skin);
Skin* skinObject();

// Colours the controls of `window` from the skin object and applies the skin to it. Without a
// skin object it recovers once: it calls `loadSkin`, which is to store one, and tries again.
// Throws SkinError when that second try fails too.
void ApplySkin(QWidget& window, const std::function<void()>& loadSkin);

// Colours every control of `window` by its type name, in collection order: command buttons take
// `first` as background; text, combo, list and file boxes take `first` as background and `second`
// as text; picture boxes take `third` as background. Other controls keep their colours.
void ColourControls(QWidget& window, QRgb first, QRgb second, QRgb third);

// Which labels the skin-label step copies: all of the window's, or only those in the container
// of the SkinLabel1 template.
enum class SkinLabelScope { AllLabels, TemplateContainer };

// The skin-label step: for every control of type "Label" on `window`, loads a new element of the
// window's SkinLabel1 array (at the highest index + 1) and copies to it the label's top, left,
// height, width, font, caption and visibility. Throws SkinError when there is a label to copy and
// the window has no SkinLabel1 template.
void LoadSkinLabels(QWidget& window, SkinLabelScope scope);

// The units of a window's coordinates.
enum class ScaleMode { Twips = 1, Pixels = 3 };

// Where the banner strip goes, in the window's units: at the banner browser's left and top, as
// high as it and narrower by an allowance (20 in pixels, otherwise 280) that hides the browser's
// right edge.
QRect bannerStrip(const QRect& banner, ScaleMode mode);

// Puts a window's banner strip in place: creates the container "picBox" at bannerStrip() of the
// `banner` browser's view, without border, beside it in its parent, moves the view into it at
// 0, 0, shows both, hides `picture` and navigates `banner` to `bannerAddress`. Places are in the
// twips of `design`, the window's design geometry. Throws BrowserError when the browser refuses
// the address; the strip is then in place and empty.
void SetUpBanner(BrowserControl& banner, QWidget& picture, DesignGeometry& design,
                 const QString& bannerAddress);

} // namespace varrow
