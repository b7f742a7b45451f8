#include "platform/desktop/WindowChrome.h"

#include <QIcon>
#include <QToolButton>
#include <algorithm>

namespace varrow
{

void dockStatusBar(DesignGeometry& design, QWidget& bar, const QSize& clientPixels)
{
    design.place(&bar, {0, design.toTwipsY(clientPixels.height()) - kStatusBarHeight,
                        design.toTwipsX(clientPixels.width()), kStatusBarHeight});
}

QToolButton* makeButton(QWidget* parent, DesignGeometry& design, const char* name,
                        const ButtonDesign& button)
{
    auto* made = new QToolButton(parent);
    made->setObjectName(name);
    made->setText(button.caption);
    made->setToolTip(button.toolTip);
    made->setIcon(QIcon(button.picture));
    made->setToolButtonStyle(button.caption.isEmpty() ? Qt::ToolButtonIconOnly
                                                      : Qt::ToolButtonTextUnderIcon);
    design.place(made, button.twips);
    return made;
}

const ControlDesign& designOf(std::span<const ControlDesign> design, std::string_view name)
{
    return *std::find_if(design.begin(), design.end(),
                         [name](const ControlDesign& control) { return control.name == name; });
}

} // namespace varrow
