#include "windows/Form8.h"

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

Form8::Form8(WindowContext& context)
    : QWidget(nullptr, Qt::Window), rtf1(new QTextEdit(this)),
      Check1(new QCheckBox(tr("Show at Startup"), this)), m_context(context), m_design(*this)
{
    setObjectName("Form8");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Readme/Help"));
    setWindowIcon(QIcon(":/varrow/icon.png"));
    // Nothing is laid out again on resize, so the window keeps its design size.
    setFixedSize(m_design.toPixelsX(kClientWidth), m_design.toPixelsY(kClientHeight));

    rtf1->setObjectName("rtf1");
    rtf1->setReadOnly(true);
    m_design.place(rtf1, {0, 0, 10275, 7515});
    Check1->setObjectName("Check1");
    m_design.place(Check1, {60, 7620, 1995, 255});
    connect(Check1, &QCheckBox::clicked, this, &Form8::Check1_Click);
}

std::filesystem::path Form8::helpFilePath() const
{
    return m_context.services().programDirectory / kHelpFileName;
}

void Form8::Form_Load()
{
    if (skinningOn(m_context.identity().UseSkin))
        skippingFailure([this] { ApplySkin(*this, [this] { m_context.loadSkin(); }); });
    if (!FileExists(helpFilePath().string())) {
        setVisible(false);
        return;
    }
    skippingFailure([this] {
        loadRtfFile(*rtf1->document(), helpFilePath());
        rtf1->moveCursor(QTextCursor::Start); // loading leaves the cursor, and the view, at the end
    });
    SetOnTop(*this, true);
    skippingFailure([this] { showStoredSetting(); });
}

void Form8::showStoredSetting()
{
    const QString stored = m_context.services().settings->GetSetting(
        m_context.identity().ProductNameText, "Settings", "showHelp", "1");
    // The box has two states; other numbers leave it as it is, like text that is no number.
    const std::optional<int> value = wholeNumberOf(stored);
    if (value == 0 || value == 1)
        Check1->setChecked(*value == 1);
}

void Form8::Check1_Click()
{
    m_context.services().settings->SaveSetting(m_context.identity().ProductNameText, "Settings",
                                               "showHelp", Check1->isChecked() ? "1" : "0");
}

void Form8::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_context.forgetWindow(this);
}

} // namespace varrow
