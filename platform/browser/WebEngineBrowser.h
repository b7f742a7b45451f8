#pragma once

#include "platform/browser/BrowserControl.h"

#include <QPointF>
#include <QPointer>
#include <QUrl>
#include <memory>
#include <optional>

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
// The body markup can only be read asynchronously here, so the control first takes a snapshot of
// document.body.outerHTML and raises its notification once the snapshot is there; BodyMarkup()
// then answers synchronously. Snapshots are taken kSettleMs after the load's document has been
// parsed (DocumentReady) and when the load finishes (DownloadComplete). A page whose
// subresources keep the load from finishing (thousands of missing images) also raises
// DownloadComplete once its document has been parsed and the load has run for
// kEarlyCaptureDelayMs; the finished load raises it once more.
//
// While a browsing control loads, its status text says what it does: "Opening ADDRESS…", then
// "Loading pictures… N%" once the document has been parsed, then "Done". Generated pages load
// without a word, so that they never cover the browsing view's status; Navigate opens one at its
// top and NavigateKeepingPlace where the page before it was scrolled, never where the engine
// would put a page it takes for a reload of the same file.
class WebEngineBrowser : public BrowserControl
{
    Q_OBJECT

public:
    static constexpr int kEarlyCaptureDelayMs = 3000;
    // Time for the scripts that fill a page as soon as it is parsed.
    static constexpr int kSettleMs = 200;

    WebEngineBrowser(QWidget* parent, BrowserRole role);
    ~WebEngineBrowser() override;

    // The page GoHome loads; by default the start page beside the executable.
    static void setHomePage(const QUrl& address);
    static QUrl homePage();

    void Navigate(const QString& address) override;
    void NavigateKeepingPlace(const QString& address) override;
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
    // Why the last finished load failed ("net::ERR_NAME_NOT_RESOLVED", "HTTP 404"), so that the
    // engine's error page shown in its place is not taken for the page; empty when it succeeded.
    QString loadError() const { return m_loadError; }

signals:
    // The page asked for a picture at `address`, for the top-level document at `document`; with
    // `icon`, the engine asked for the page's icon by itself.
    void imageRequested(const QUrl& address, const QUrl& document, bool icon);

private:
    void onLoadStarted();
    void onLoadFinished(bool ok);
    // Shows the fallback page in place of a failed load of its address; false when it has none.
    bool showFallbackFor(const QUrl& failed);
    void onLoadProgress(int progress);
    QString picturesStatus() const;
    // Shows what the load does, unless a hovered link's address is on show.
    void showLoadStatus(const QString& text);
    void onLinkHovered(const QString& address);
    // Asks whether the load's own document has been parsed.
    void pollParsing();
    void onDocumentParsed();
    // Takes the body markup, then raises `notify`.
    void takeSnapshot(void (BrowserControl::*notify)());
    // Scrolls a page loaded by NavigateKeepingPlace to the place it keeps; the place is given up
    // once reached, or at the end of the load.
    void restorePlace();
    // Whether the document on show belongs to the load under way: its address is the one asked
    // for, or has changed since the load began (a redirect). Until then the engine still shows the
    // previous document.
    bool showsLoadUnderWay() const;
    void load(const QUrl& address, std::optional<QPointF> place = std::nullopt);

    BrowserRole m_role;
    QWebEngineView* m_view;
    LocalFileGuard* m_guard = nullptr;
    QTimer* m_earlyCapture;
    QTimer* m_parsePoll;
    QTimer* m_settle;
    bool m_parsed = false;
    int m_progress = 0;
    QString m_loadStatus;
    bool m_linkHovered = false;
    std::optional<QPointF> m_keptPlace;
    std::optional<std::string> m_body;
    QUrl m_fallbackAddress;
    QString m_fallbackHtml;
    bool m_loadingFallback = false;
    // Counts loads, so that a snapshot that arrives after the next load began is dropped.
    unsigned m_loadNumber = 0;
    bool m_loadFinished = true;
    QUrl m_addressAtLoadStart;
    QString m_loadError;
};

} // namespace varrow
