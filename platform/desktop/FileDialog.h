#pragma once

#include <QString>

class QWidget;

namespace varrow
{

// The open-file dialog: the chosen file's path, or an empty text when the user cancels.
QString chooseFileToOpen(QWidget* parent);

} // namespace varrow
