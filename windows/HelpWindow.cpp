#include "windows/HelpWindow.h"

#include "integration/Skin.h"
#include "integration/modSkin.h"
#include "platform/desktop/OnTop.h"
#include "platform/desktop/SettingsStore.h"
#include "platform/richtext/RtfTextDocument.h"
#include "shell/FileExists.h"
#include "shell/ProgramDirectory.h"
#include "shell/WindowContext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QIcon>
#include <QTextEdit>
#include <optional>

namespace varrow
{
namespace
{

constexpr int kClientWidth = 10290;
constexpr int kClientHeight = 7920;
// Runs one load step; its failure skips only that step.
template <typename Step> void skippingFailure(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

// The stored text as a whole number, as the check box takes it; nothing for text that is not one
// (surrounding blanks are allowed).
std::optional<int> wholeNumberOf(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

HelpWindow::HelpWindow(WindowContext& context)
    : QWidget(nullptr, Qt::Window), m_context(context), m_design(*this),
      m_helpText(new QTextEdit(this)), m_showAtStartup(new QCheckBox(tr("Show at Startup"), this))
{
    setObjectName("Form8");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Readme/Help"));
    setWindowIcon(QIcon(":/varrow/icon.png"));
    // Nothing is laid out again on resize, so the window keeps its design size.
    setFixedSize(m_design.toPixelsX(kClientWidth), m_design.toPixelsY(kClientHeight));

    m_helpText->setObjectName("rtf1");
    m_helpText->setReadOnly(true);
    m_design.place(m_helpText, {0, 0, 10275, 7515});
    m_showAtStartup->setObjectName("Check1");
    m_design.place(m_showAtStartup, {60, 7620, 1995, 255});
    connect(m_showAtStartup, &QCheckBox::clicked, this, &HelpWindow::storeSetting);
}

std::filesystem::path HelpWindow::helpFilePath() const
{
    return m_context.services().programDirectory / kHelpFileName;
}

void HelpWindow::load()
{
    if (skinningOn(m_context.identity().UseSkin))
        skippingFailure([this] { ApplySkin(*this, [this] { m_context.loadSkin(); }); });
    if (!FileExists(helpFilePath().string())) {
        setVisible(false);
        return;
    }
    skippingFailure([this] {
        loadRtfFile(*m_helpText->document(), helpFilePath());
        m_helpText->moveCursor(
            QTextCursor::Start); // loading leaves the cursor, and the view, at the end
    });
    SetOnTop(*this, true);
    skippingFailure([this] { showStoredSetting(); });
}

void HelpWindow::showStoredSetting()
{
    const QString stored = m_context.services().settings->GetSetting(
        m_context.identity().ProductNameText, "Settings", "showHelp", "1");
    // The box has two states; other numbers leave it as it is, like text that is no number.
    const std::optional<int> value = wholeNumberOf(stored);
    if (value == 0 || value == 1)
        m_showAtStartup->setChecked(*value == 1);
}

void HelpWindow::storeSetting()
{
    m_context.services().settings->SaveSetting(m_context.identity().ProductNameText, "Settings",
                                               "showHelp",
                                               m_showAtStartup->isChecked() ? "1" : "0");
}

void HelpWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_context.forgetWindow(this);
}

} // namespace varrow
