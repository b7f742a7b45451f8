#include "platform/browser/WebEngineBrowser.h"

#include "platform/browser/LocalFileGuard.h"

#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace varrow
{
namespace
{

constexpr int kProgressMax = 100;

// Gives the body markup once the document has been parsed, false while it is still being parsed
// and null when there is no body. The engine hands undefined and null back alike, as no value.
const QString kSnapshotScript =
    QStringLiteral("document.readyState === 'loading' ? false"
                   " : (document.body ? document.body.outerHTML : null)");
constexpr int kParsingRetryMs = 250;
constexpr int kParsePollMs = 50;

// Marks the document on show, in the application's isolated world that the page's own scripts
// cannot reach, as load `load`'s unless a load marked it before, and gives its readyState when it
// is that load's, "earlier" otherwise: until the load's own document is committed the engine
// still shows the previous one, at the same address on a reload.
QString parsingScript(unsigned load)
{
    return QStringLiteral("(function () { if (window.varrowLoad === undefined)"
                          " window.varrowLoad = %1; return window.varrowLoad === %1"
                          " ? document.readyState : 'earlier'; })()")
        .arg(load);
}

// Leaves a generated page's place to the control: the engine would otherwise give the next page
// at the same file address the place of this one, whenever its layout allows.
const QString kPlaceKeptByControl = QStringLiteral("history.scrollRestoration = 'manual';");

// A bare host name opens at the host's root: "http://host" and "http://host/" are one page.
QUrl atHostRoot(QUrl address)
{
    if (address.path().isEmpty())
        address.setPath(QStringLiteral("/"));
    return address;
}

QUrl& homePageSetting()
{
    static QUrl address(QStringLiteral("about:blank"));
    return address;
}

// A generated page is a local file that shows pictures from anywhere the captured page could;
// which local files it may load is left to its LocalFileGuard.
void makeStatic(QWebEnginePage& page)
{
    QWebEngineSettings* settings = page.settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
}

} // namespace

WebEngineBrowser::WebEngineBrowser(QWidget* parent, BrowserRole role)
    : BrowserControl(parent), m_role(role), m_view(new QWebEngineView(parent)),
      m_earlyCapture(new QTimer(this)), m_parsePoll(new QTimer(this)), m_settle(new QTimer(this))
{
    auto* page = new QWebEnginePage(m_view);
    if (role == BrowserRole::GeneratedPage)
        makeStatic(*page);
    // The page owns its guard, so that the guard lives as long as the page that calls it.
    m_guard = new LocalFileGuard(role, page);
    page->setUrlRequestInterceptor(m_guard);
    connect(m_guard, &LocalFileGuard::imageRequested, this, &WebEngineBrowser::imageRequested);
    m_view->setPage(page);

    m_earlyCapture->setSingleShot(true);
    m_earlyCapture->setInterval(kEarlyCaptureDelayMs);
    connect(m_earlyCapture, &QTimer::timeout, this,
            [this] { takeSnapshot(&BrowserControl::DownloadComplete); });
    m_parsePoll->setInterval(kParsePollMs);
    connect(m_parsePoll, &QTimer::timeout, this, &WebEngineBrowser::pollParsing);
    m_settle->setSingleShot(true);
    connect(m_settle, &QTimer::timeout, this,
            [this] { takeSnapshot(&BrowserControl::DocumentReady); });

    connect(page, &QWebEnginePage::loadStarted, this, &WebEngineBrowser::onLoadStarted);
    connect(page, &QWebEnginePage::loadProgress, this, &WebEngineBrowser::onLoadProgress);
    connect(page, &QWebEnginePage::loadFinished, this, &WebEngineBrowser::onLoadFinished);
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus)
            return;
        // An HTTP status's text is the engine's page template; its number says it all.
        m_loadError = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain
                          ? QString("HTTP %1").arg(info.errorCode())
                          : info.errorString();
    });
    connect(page, &QWebEnginePage::titleChanged, this, &BrowserControl::TitleChange);
    connect(page, &QWebEnginePage::urlChanged, this, [this] { emit TitleChange(LocationName()); });
    connect(page, &QWebEnginePage::linkHovered, this, &WebEngineBrowser::onLinkHovered);
}

WebEngineBrowser::~WebEngineBrowser() = default;

void WebEngineBrowser::setHomePage(const QUrl& address)
{
    homePageSetting() = address;
}

QUrl WebEngineBrowser::homePage()
{
    return homePageSetting();
}

void WebEngineBrowser::load(const QUrl& address, std::optional<QPointF> place)
{
    if (!address.isValid() || address.isEmpty())
        throw BrowserError("\"" + address.toString().toStdString() + "\" is not an address");
    m_keptPlace = place;
    m_view->load(address);
}

void WebEngineBrowser::Navigate(const QString& address)
{
    if (address.trimmed().isEmpty())
        throw BrowserError("There is no address to open");
    // A generated page opened afresh starts at its top, although it has the address of the page
    // before it, whose place the engine would otherwise give it.
    const std::optional<QPointF> top =
        m_role == BrowserRole::GeneratedPage ? std::optional(QPointF()) : std::nullopt;
    load(QUrl::fromUserInput(address), top);
}

void WebEngineBrowser::NavigateKeepingPlace(const QString& address)
{
    if (address.trimmed().isEmpty())
        throw BrowserError("There is no address to open");
    load(QUrl::fromUserInput(address), m_view->page()->scrollPosition());
}

void WebEngineBrowser::Navigate2(const QString& filePath)
{
    load(QUrl::fromLocalFile(filePath));
}

void WebEngineBrowser::GoHome()
{
    load(homePage());
}

void WebEngineBrowser::GoBack()
{
    if (!m_view->history()->canGoBack())
        throw BrowserError("There is no earlier page");
    m_keptPlace.reset();
    m_view->back();
}

void WebEngineBrowser::GoForward()
{
    if (!m_view->history()->canGoForward())
        throw BrowserError("There is no later page");
    m_keptPlace.reset();
    m_view->forward();
}

void WebEngineBrowser::Refresh()
{
    m_view->reload();
}

void WebEngineBrowser::Stop()
{
    m_view->stop();
}

QString WebEngineBrowser::LocationURL() const
{
    return m_view->url().toString();
}

QString WebEngineBrowser::LocationName() const
{
    const QString title = m_view->title();
    return title.isEmpty() ? LocationURL() : title;
}

std::optional<std::string> WebEngineBrowser::BodyMarkup() const
{
    return m_body;
}

void WebEngineBrowser::setCapturedPage(const QString& address)
{
    m_guard->policy().setCapturedPage(QUrl(address));
}

QWidget* WebEngineBrowser::view() const
{
    return m_view;
}

QWebEnginePage* WebEngineBrowser::page() const
{
    return m_view->page();
}

void WebEngineBrowser::onLoadStarted()
{
    ++m_loadNumber;
    m_loadFinished = false;
    m_addressAtLoadStart = m_view->url();
    m_earlyCapture->start(kEarlyCaptureDelayMs); // a retry may have shortened the interval
    m_parsed = false;
    m_progress = 0;
    m_settle->stop();
    m_parsePoll->start();
    if (m_role == BrowserRole::Browsing) {
        const QUrl requested = m_view->page()->requestedUrl();
        showLoadStatus(
            tr("Opening %1…").arg(requested.isEmpty() ? LocationURL() : requested.toString()));
    }
    emit DownloadBegin();
}

void WebEngineBrowser::onLoadProgress(int progress)
{
    m_progress = progress;
    emit ProgressChange(progress, kProgressMax);
    if (m_role == BrowserRole::Browsing && m_parsed && !m_loadFinished)
        showLoadStatus(picturesStatus());
}

QString WebEngineBrowser::picturesStatus() const
{
    return tr("Loading pictures… %1%").arg(m_progress);
}

void WebEngineBrowser::showLoadStatus(const QString& text)
{
    m_loadStatus = text;
    if (!m_linkHovered)
        emit StatusTextChange(text);
}

void WebEngineBrowser::onLinkHovered(const QString& address)
{
    // The engine also reports that no link is hovered when none was.
    if (address.isEmpty() && !m_linkHovered)
        return;
    m_linkHovered = !address.isEmpty();
    emit StatusTextChange(m_linkHovered ? address : m_loadStatus);
}

void WebEngineBrowser::pollParsing()
{
    if (!showsLoadUnderWay())
        return;
    const unsigned loadNumber = m_loadNumber;
    QPointer<WebEngineBrowser> self(this);
    m_view->page()->runJavaScript(
        parsingScript(loadNumber), QWebEngineScript::ApplicationWorld,
        [self, loadNumber](const QVariant& result) {
            if (!self || self->m_loadNumber != loadNumber || self->m_parsed || self->m_loadFinished)
                return;
            const QString state = result.toString();
            if (state == QLatin1String("interactive") || state == QLatin1String("complete"))
                self->onDocumentParsed();
        });
}

void WebEngineBrowser::onDocumentParsed()
{
    m_parsed = true;
    m_parsePoll->stop();
    if (m_role == BrowserRole::GeneratedPage) {
        m_view->page()->runJavaScript(kPlaceKeptByControl, QWebEngineScript::ApplicationWorld);
        restorePlace();
        return;
    }
    showLoadStatus(picturesStatus());
    m_settle->start(kSettleMs);
}

void WebEngineBrowser::restorePlace()
{
    if (!m_keptPlace)
        return;
    const QPointF place = *m_keptPlace;
    const unsigned loadNumber = m_loadNumber;
    QPointer<WebEngineBrowser> self(this);
    m_view->page()->runJavaScript(
        QStringLiteral("window.scrollTo(%1, %2); [window.scrollX, window.scrollY]")
            .arg(place.x())
            .arg(place.y()),
        QWebEngineScript::ApplicationWorld, [self, loadNumber, place](const QVariant& result) {
            if (!self || self->m_loadNumber != loadNumber)
                return;
            const QVariantList reached = result.toList();
            if (reached.size() == 2 && qAbs(reached[0].toDouble() - place.x()) < 1 &&
                qAbs(reached[1].toDouble() - place.y()) < 1)
                self->m_keptPlace.reset();
        });
}

void WebEngineBrowser::setFallbackPage(const QString& address, const QString& html)
{
    m_fallbackAddress = QUrl::fromUserInput(address);
    m_fallbackHtml = html;
}

bool WebEngineBrowser::showFallbackFor(const QUrl& failed)
{
    if (m_fallbackHtml.isEmpty() || atHostRoot(failed) != atHostRoot(m_fallbackAddress))
        return false;
    m_loadingFallback = true;
    m_view->setHtml(m_fallbackHtml, failed);
    return true;
}

void WebEngineBrowser::onLoadFinished(bool ok)
{
    m_earlyCapture->stop();
    m_parsePoll->stop();
    m_settle->stop();
    m_loadFinished = true;
    if (ok)
        m_loadError.clear();
    else if (m_loadError.isEmpty())
        m_loadError = tr("the engine gave no reason");
    // Marks the document as this load's, so that the next load's polls tell it from their own.
    m_view->page()->runJavaScript(parsingScript(m_loadNumber), QWebEngineScript::ApplicationWorld);
    const bool fallback = m_loadingFallback;
    m_loadingFallback = false;
    if (!ok && !fallback && showFallbackFor(m_view->page()->requestedUrl()))
        return; // the fallback page's own load raises the notifications
    emit ProgressChange(-1, kProgressMax);
    if (m_role == BrowserRole::GeneratedPage) {
        // Pictures that came late may have made the page long enough to reach the place now.
        restorePlace();
        m_keptPlace.reset();
    } else {
        showLoadStatus(ok ? tr("Done") : tr("Could not open %1").arg(LocationURL()));
    }
    takeSnapshot(&BrowserControl::DownloadComplete);
}

bool WebEngineBrowser::showsLoadUnderWay() const
{
    const QUrl shown = m_view->url();
    return shown == m_view->page()->requestedUrl() || shown != m_addressAtLoadStart;
}

void WebEngineBrowser::takeSnapshot(void (BrowserControl::*notify)())
{
    if (m_role == BrowserRole::GeneratedPage) {
        // Generated pages run no scripts, and nobody reads their markup.
        emit(this->*notify)();
        return;
    }
    // A retry raises the same notification.
    QTimer* retry = notify == &BrowserControl::DocumentReady ? m_settle : m_earlyCapture;
    if (!m_loadFinished && !showsLoadUnderWay()) {
        // An early capture now would take the previous page: try again a little later.
        retry->start(kParsingRetryMs);
        return;
    }
    const unsigned loadNumber = m_loadNumber;
    QPointer<WebEngineBrowser> self(this);
    QPointer<QTimer> retryLater(retry);
    m_view->page()->runJavaScript(
        kSnapshotScript, [self, loadNumber, notify, retryLater](const QVariant& result) {
            if (!self || self->m_loadNumber != loadNumber)
                return; // the control is gone, or a newer load has begun
            if (result.typeId() == QMetaType::Bool) {
                // Still parsing: try again a little later.
                retryLater->start(kParsingRetryMs);
                return;
            }
            const QString body = result.toString();
            if (body.isEmpty())
                self->m_body.reset(); // no document, or one without a body
            else
                self->m_body = body.toStdString();
            emit(self->*notify)();
        });
}

} // namespace varrow
