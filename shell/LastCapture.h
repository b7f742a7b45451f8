#pragma once

#include "extract/ImageLists.h"

#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

// What the main window captured last, so that a later snapshot of the same page is captured only
// when its body changed, and each generated view is reloaded only when its own page changed.
class LastCapture
{
public:
    // How a generated view follows a capture.
    enum class Reload {
        Load,         // another page, or files a failed capture may have left: from the top
        KeepingPlace, // the same page, changed: where the person had scrolled it
        None,         // the same page, unchanged: it stays as it is
    };
    struct Reloads {
        Reload source;
        Reload gallery;
    };

    // Whether capturing `markup` at `address` would write exactly what the files now hold: the
    // last capture took the same body at the same address and met no failure.
    bool holds(std::string_view markup, std::string_view address) const;

    // Notes the capture that has just run on `markup` at `address` and filled `lists`, and says
    // how the source view and the gallery view follow it. `complete` is false when a step
    // failed.
    Reloads note(std::string markup, std::string address, const ImageLists& lists, bool complete);

private:
    std::string m_markup;
    std::string m_address;
    // The gallery is built from these two lists alone.
    ImageList m_gallery;
    bool m_complete = false;
};

} // namespace varrow
