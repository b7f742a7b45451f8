#pragma once

#include "platform/desktop/DesignGeometry.h"

#include <QWidget>
#include <filesystem>

class QCheckBox;
class QTextEdit;

namespace varrow
{

class WindowContext;

// The help window "Readme/Help": the help file "Help.rtf" from the program directory in a
// rich-text view, and the "Show at Startup" check box that decides whether the main window opens
// it at start. Stays above other windows while open.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(WindowContext& context);

    // Every failing step is skipped. A missing help file hides the window and ends the load; the
    // opener then shows it, empty.
    void load();

    // The help file's path: the program directory + "Help.rtf".
    std::filesystem::path helpFilePath() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showStoredSetting();
    // Stores the check box's value, "1" or "0", under "Settings"/"showHelp".
    void storeSetting();

    WindowContext& m_context;
    DesignGeometry m_design;
    // Design names: rtf1 the help text, Check1 the check box.
    QTextEdit* m_helpText;
    QCheckBox* m_showAtStartup;
};

} // namespace varrow
