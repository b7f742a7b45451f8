#include "shell/StatusMessages.h"

#include "platform/desktop/StatusBar.h"

namespace varrow
{
namespace
{
constexpr int kMessagePanel = 1;
}

StatusMessages::StatusMessages(StatusBar& bar) : m_bar(bar) {}

void StatusMessages::showPassing(const QString& text)
{
    if (m_lasting)
        m_keptBack = text;
    else
        m_bar.setPanelText(kMessagePanel, text);
}

void StatusMessages::showLasting(const QString& text, Lasts lasts)
{
    m_lasting = lasts;
    m_keptBack.reset();
    m_bar.setPanelText(kMessagePanel, text);
}

void StatusMessages::pageLoadBegan()
{
    if (m_lasting == Lasts::UntilPageLoad)
        end();
}

void StatusMessages::commandRan()
{
    if (m_lasting)
        end();
}

void StatusMessages::end()
{
    m_lasting.reset();
    if (m_keptBack)
        m_bar.setPanelText(kMessagePanel, *m_keptBack);
    m_keptBack.reset();
}

} // namespace varrow
