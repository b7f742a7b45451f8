#include "tests/support/FakeBrowser.h"

namespace varrow::testing
{

FakeBrowser::FakeBrowser(QWidget* parent, BrowserRole browserRole)
    : BrowserControl(parent), role(browserRole), m_view(new QWidget(parent))
{
}

void FakeBrowser::Navigate(const QString& address)
{
    requests << "Navigate " + address;
    if (refuseNavigation)
        throw BrowserError("refused " + address.toStdString());
    enter(address);
}

void FakeBrowser::NavigateKeepingPlace(const QString& address)
{
    requests << "NavigateKeepingPlace " + address;
    enter(address);
}

void FakeBrowser::Navigate2(const QString& filePath)
{
    requests << "Navigate2 " + filePath;
    enter(filePath);
}

void FakeBrowser::enter(const QString& address)
{
    m_history = m_history.mid(0, m_current + 1);
    m_history << address;
    m_current = static_cast<int>(m_history.size()) - 1;
}

void FakeBrowser::GoHome()
{
    requests << "GoHome";
}

void FakeBrowser::GoBack()
{
    requests << "GoBack";
    if (m_current <= 0)
        throw BrowserError("no earlier page");
    --m_current;
}

void FakeBrowser::GoForward()
{
    requests << "GoForward";
    if (m_current + 1 >= m_history.size())
        throw BrowserError("no later page");
    ++m_current;
}

void FakeBrowser::Refresh()
{
    requests << "Refresh";
}

void FakeBrowser::Stop()
{
    requests << "Stop";
}

QString FakeBrowser::LocationURL() const
{
    return m_current >= 0 ? m_history[m_current] : QString();
}

QString FakeBrowser::LocationName() const
{
    return title.isEmpty() ? LocationURL() : title;
}

void FakeBrowser::completeLoad(const QString& pageTitle, std::optional<std::string> pageBody)
{
    title = pageTitle;
    body = std::move(pageBody);
    emit TitleChange(title);
    emit DownloadComplete();
}

void FakeBrowser::documentReady(std::optional<std::string> pageBody)
{
    body = std::move(pageBody);
    emit DocumentReady();
}

} // namespace varrow::testing
