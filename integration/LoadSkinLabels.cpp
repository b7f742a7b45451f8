#include "integration/ControlType.h"
#include "integration/SkinLabel.h"
#include "integration/modSkin.h"

namespace varrow
{

void LoadSkinLabels(QWidget& window, SkinLabelScope scope)
{
    const std::vector<SkinLabel*> elements = skinLabels(window);
    SkinLabel* templateLabel =
        !elements.empty() && elements.front()->Index() == 0 ? elements.front() : nullptr;
    int upperBound = elements.empty() ? -1 : elements.back()->Index();

    for (QWidget* control : windowControls(window)) {
        const auto* label = qobject_cast<const QLabel*>(control);
        if (!label || controlTypeName(*control) != "Label")
            continue;
        if (!templateLabel)
            throw SkinError("The window has no skin-label template");
        if (scope == SkinLabelScope::TemplateContainer &&
            label->parentWidget() != templateLabel->parentWidget())
            continue;
        auto* element = new SkinLabel(*templateLabel->parentWidget(), ++upperBound);
        element->setGeometry(label->geometry());
        element->setFont(label->font());
        element->setText(label->text());
        element->setVisible(!label->isHidden());
        element->raise();
    }
}

} // namespace varrow
