#pragma once

#include "platform/desktop/DesignGeometry.h"

#include <QString>
#include <exception>
#include <span>
#include <string_view>

class QSize;
class QToolButton;
class QWidget;

namespace varrow
{

// What the windows share around their content: the status bar along the bottom, picture buttons
// made from a design, and commands whose steps may fail without stopping the command.

inline constexpr int kStatusBarHeight = 315; // twips

// Places `bar` along the bottom of a client area of `clientPixels`, across its whole width.
void dockStatusBar(DesignGeometry& design, QWidget& bar, const QSize& clientPixels);

struct ButtonDesign {
    QString caption; // empty for a picture-only button
    QString toolTip;
    TwipsRect twips;
    const char* picture; // a resource path
};

// A tool button `name` under `parent` with the design's caption, tool tip and picture (the
// caption under the picture when there is one), placed at the design's twips.
QToolButton* makeButton(QWidget* parent, DesignGeometry& design, const char* name,
                        const ButtonDesign& button);

// One control of a window's design, by its name. Captions and tool tips are translated as they
// are applied; an entry with a picture is a button.
struct ControlDesign {
    const char* name;
    TwipsRect twips;
    const char* caption = "";
    const char* toolTip = "";
    const char* picture = nullptr; // a resource path
};

// The entry of `design` named `name`, which the design must hold.
const ControlDesign& designOf(std::span<const ControlDesign> design, std::string_view name);

// Runs a step whose failure is ignored, so that the command goes on with its next step.
template <typename Step> void ignoringErrors(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace varrow
