#pragma once

#include <QLabel>
#include <vector>

namespace varrow
{

// One element of a window's skin-label array SkinLabel1: a label that the skin draws over an
// ordinary label. Element 0 is a hidden template that fixes the array's container; the skin-label
// step loads the others beside it.
class SkinLabel : public QLabel
{
    Q_OBJECT

public:
    // Element `index` of the array in `container`, which owns it.
    SkinLabel(QWidget& container, int index);

    // Creates the template element 0 in `container`, hidden.
    static SkinLabel* createTemplate(QWidget& container);

    int Index() const { return m_index; }

private:
    int m_index;
};

// The elements of the SkinLabel1 array of `window`, in index order; empty when it has none.
std::vector<SkinLabel*> skinLabels(const QWidget& window);

} // namespace varrow
