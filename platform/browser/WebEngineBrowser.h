#pragma once

#include "platform/browser/BrowserControl.h"

#include <QPointer>
#include <QUrl>
#include <memory>

class QTimer;
class QWebEnginePage;
class QWebEngineView;

namespace varrow
{
class LocalFileGuard;
} // namespace varrow

namespace varrow
{

// The browser control on Qt WebEngine.
//
// The body markup can only be read asynchronously here, so when a load finishes the control
// first takes a snapshot of document.body.outerHTML and raises DownloadComplete once the snapshot
// is there; BodyMarkup() then answers synchronously. A page whose subresources keep the load
// from finishing (thousands of missing images) still gets a snapshot and DownloadComplete as
// soon as its document has been parsed and the load has run for kEarlyCaptureDelayMs; the
// finished load raises it once more.
class WebEngineBrowser : public BrowserControl
{
    Q_OBJECT

public:
    static constexpr int kEarlyCaptureDelayMs = 3000;

    WebEngineBrowser(QWidget* parent, BrowserRole role);
    ~WebEngineBrowser() override;

    // The page GoHome loads; by default the start page beside the executable.
    static void setHomePage(const QUrl& address);
    static QUrl homePage();

    void Navigate(const QString& address) override;
    void Navigate2(const QString& filePath) override;
    void GoHome() override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    void setFallbackPage(const QString& address, const QString& html) override;

    QString LocationURL() const override;
    QString LocationName() const override;
    std::optional<std::string> BodyMarkup() const override;
    void setCapturedPage(const QString& address) override;
    QWidget* view() const override;

    // The page on show; it lives as long as the control's view.
    QWebEnginePage* page() const;

signals:
    // The page asked for a picture at `address`, for the top-level document at `document`; with
    // `icon`, the engine asked for the page's icon by itself.
    void imageRequested(const QUrl& address, const QUrl& document, bool icon);

private:
    void onLoadStarted();
    void onLoadFinished(bool ok);
    // Shows the fallback page in place of a failed load of its address; false when it has none.
    bool showFallbackFor(const QUrl& failed);
    void takeSnapshot();
    // Whether the document on show belongs to the load under way: its address is the one asked
    // for, or has changed since the load began (a redirect). Until then the engine still shows the
    // previous document.
    bool showsLoadUnderWay() const;
    void load(const QUrl& address);

    BrowserRole m_role;
    QWebEngineView* m_view;
    LocalFileGuard* m_guard = nullptr;
    QTimer* m_earlyCapture;
    std::optional<std::string> m_body;
    QUrl m_fallbackAddress;
    QString m_fallbackHtml;
    bool m_loadingFallback = false;
    // Counts loads, so that a snapshot that arrives after the next load began is dropped.
    unsigned m_loadNumber = 0;
    bool m_loadFinished = true;
    QUrl m_addressAtLoadStart;
};

} // namespace varrow
