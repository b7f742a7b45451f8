#include "platform/desktop/FileDialog.h"

#include <QFileDialog>

namespace varrow
{

QString chooseFileToOpen(QWidget* parent)
{
    return QFileDialog::getOpenFileName(parent);
}

} // namespace varrow
