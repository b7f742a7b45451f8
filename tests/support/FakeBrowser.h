#pragma once

#include "platform/browser/BrowserControl.h"

#include <QStringList>
#include <QWidget>

namespace varrow::testing
{

// A browser control that records the requests it gets and raises notifications on demand.
// Navigation moves through a history of its own, as a browser's does.
class FakeBrowser : public BrowserControl
{
    Q_OBJECT

public:
    FakeBrowser(QWidget* parent, BrowserRole role);

    void Navigate(const QString& address) override;
    void NavigateKeepingPlace(const QString& address) override;
    void Navigate2(const QString& filePath) override;
    void GoHome() override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    void setFallbackPage(const QString& address, const QString& html) override
    {
        fallbackAddress = address;
        fallbackHtml = html;
    }

    QString LocationURL() const override;
    QString LocationName() const override;
    std::optional<std::string> BodyMarkup() const override { return body; }
    void setCapturedPage(const QString& address) override { capturedPage = address; }
    QWidget* view() const override { return m_view; }

    // Finishes the current navigation: the page has `title` and `body`, and DownloadComplete
    // is raised.
    void completeLoad(const QString& title, std::optional<std::string> pageBody);
    // The document has been parsed and holds `pageBody`: DocumentReady is raised.
    void documentReady(std::optional<std::string> pageBody);

    BrowserRole role;
    QStringList requests; // "Navigate <address>", "GoBack", "Stop", ...
    QString title;
    std::optional<std::string> body;
    QString capturedPage;
    bool refuseNavigation = false;
    QString fallbackAddress;
    QString fallbackHtml;

private:
    // Moves to `address`, dropping the later entries of the history.
    void enter(const QString& address);

    QWidget* m_view;
    QStringList m_history;
    int m_current = -1;
};

} // namespace varrow::testing
