#include "integration/SkinLabel.h"

#include <algorithm>

namespace varrow
{
namespace
{

constexpr const char* kArrayName = "SkinLabel1";

} // namespace

SkinLabel::SkinLabel(QWidget& container, int index) : QLabel(&container), m_index(index)
{
    setObjectName(kArrayName);
}

SkinLabel* SkinLabel::createTemplate(QWidget& container)
{
    auto* label = new SkinLabel(container, 0);
    label->hide();
    return label;
}

std::vector<SkinLabel*> skinLabels(const QWidget& window)
{
    const QList<SkinLabel*> found = window.findChildren<SkinLabel*>(kArrayName);
    std::vector<SkinLabel*> elements(found.begin(), found.end());
    std::sort(elements.begin(), elements.end(),
              [](const SkinLabel* a, const SkinLabel* b) { return a->Index() < b->Index(); });
    return elements;
}

} // namespace varrow
