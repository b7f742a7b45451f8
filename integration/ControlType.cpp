#include "integration/ControlType.h"

#include "integration/SkinLabel.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TabStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTableView>
#include <QTextEdit>
#include <QTreeView>
#include <QVariant>
#include <QWidget>

namespace varrow
{
namespace
{

constexpr const char* kTypeNameProperty = "varrowControlType";

template <typename Kind> bool is(const QWidget& control)
{
    return qobject_cast<const Kind*>(&control) != nullptr;
}

// Narrowest kinds first: a check box is also a button, a skin label also a label.
QString typeNameOfKind(const QWidget& control)
{
    if (is<SkinLabel>(control))
        return "SkinLabel";
    if (is<QCheckBox>(control))
        return "CheckBox";
    if (is<QRadioButton>(control))
        return "OptionButton";
    if (is<QAbstractButton>(control))
        return "CommandButton";
    if (is<QLineEdit>(control) || is<QPlainTextEdit>(control))
        return "TextBox";
    if (is<QTextEdit>(control))
        return "RichTextBox";
    if (is<QComboBox>(control))
        return "ComboBox";
    if (is<QListView>(control))
        return "ListBox";
    if (is<QTreeView>(control) || is<QTableView>(control))
        return "ListView";
    if (is<QLabel>(control))
        return "Label";
    if (is<QGroupBox>(control))
        return "Frame";
    if (is<QProgressBar>(control))
        return "ProgressBar";
    if (is<StatusBar>(control))
        return "StatusBar";
    if (is<TabStrip>(control))
        return "TabStrip";
    if (control.inherits("QWebEngineView"))
        return "WebBrowser";
    return control.metaObject()->className();
}

} // namespace

QString controlTypeName(const QWidget& control)
{
    const QVariant marked = control.property(kTypeNameProperty);
    return marked.isValid() ? marked.toString() : typeNameOfKind(control);
}

void setControlTypeName(QWidget& control, const QString& typeName)
{
    control.setProperty(kTypeNameProperty, typeName);
}

std::vector<QWidget*> windowControls(const QWidget& window)
{
    std::vector<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith("qt_"))
            controls.push_back(child);
    }
    return controls;
}

} // namespace varrow
