#pragma once

#include <QString>
#include <vector>

class QWidget;

namespace varrow
{

// The run-time type name of a control, in the names the skin's colour table uses: "CommandButton",
// "TextBox", "ComboBox", "ListBox", "ListView", "PictureBox", "Label", "CheckBox", "Frame", ...
// A control marked with setControlTypeName has that name; otherwise its widget kind decides, and a
// kind without a name of its own gives its Qt class name.
QString controlTypeName(const QWidget& control);

// Marks a control whose widget kind does not tell its type, such as a label that serves as a
// picture box.
void setControlTypeName(QWidget& control, const QString& typeName);

// The window's controls in collection order: its descendants that carry a design name. The parts
// that widgets make of themselves (viewports, scroll bars, tab bars) have none and are left out.
std::vector<QWidget*> windowControls(const QWidget& window);

} // namespace varrow
