#include "platform/browser/WebEngineBrowser.h"

#include "platform/browser/LocalFileGuard.h"
#include "platform/browser/PageImageFinder.h"

#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
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
      m_earlyCapture(new QTimer(this))
{
    auto* page = new QWebEnginePage(m_view);
    if (role == BrowserRole::GeneratedPage)
        makeStatic(*page);
    // The page owns its guard, so that the guard lives as long as the page that calls it.
    m_guard = new LocalFileGuard(role, page);
    page->setUrlRequestInterceptor(m_guard);
    m_imageFinder = new PageImageFinder(*page);
    connect(m_guard, &LocalFileGuard::imageRequested, m_imageFinder,
            &PageImageFinder::noteImageRequest);
    m_view->setPage(page);

    m_earlyCapture->setSingleShot(true);
    m_earlyCapture->setInterval(kEarlyCaptureDelayMs);
    connect(m_earlyCapture, &QTimer::timeout, this, &WebEngineBrowser::takeSnapshot);

    connect(page, &QWebEnginePage::loadStarted, this, &WebEngineBrowser::onLoadStarted);
    connect(page, &QWebEnginePage::loadProgress, this,
            [this](int progress) { emit ProgressChange(progress, kProgressMax); });
    connect(page, &QWebEnginePage::loadFinished, this, &WebEngineBrowser::onLoadFinished);
    connect(page, &QWebEnginePage::titleChanged, this, &BrowserControl::TitleChange);
    connect(page, &QWebEnginePage::urlChanged, this, [this] { emit TitleChange(LocationName()); });
    connect(page, &QWebEnginePage::linkHovered, this, &BrowserControl::StatusTextChange);
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

void WebEngineBrowser::load(const QUrl& address)
{
    if (!address.isValid() || address.isEmpty())
        throw BrowserError("\"" + address.toString().toStdString() + "\" is not an address");
    m_view->load(address);
}

void WebEngineBrowser::Navigate(const QString& address)
{
    if (address.trimmed().isEmpty())
        throw BrowserError("There is no address to open");
    load(QUrl::fromUserInput(address));
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
    m_view->back();
}

void WebEngineBrowser::GoForward()
{
    if (!m_view->history()->canGoForward())
        throw BrowserError("There is no later page");
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
    emit StatusTextChange(tr("Opening %1").arg(LocationURL()));
    emit DownloadBegin();
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
    m_loadFinished = true;
    const bool fallback = m_loadingFallback;
    m_loadingFallback = false;
    if (!ok && !fallback && showFallbackFor(m_view->page()->requestedUrl()))
        return; // the fallback page's own load raises the notifications
    emit ProgressChange(-1, kProgressMax);
    emit StatusTextChange(ok ? tr("Done") : tr("Could not open %1").arg(LocationURL()));
    takeSnapshot();
}

bool WebEngineBrowser::showsLoadUnderWay() const
{
    const QUrl shown = m_view->url();
    return shown == m_view->page()->requestedUrl() || shown != m_addressAtLoadStart;
}

void WebEngineBrowser::takeSnapshot()
{
    if (m_role == BrowserRole::GeneratedPage) {
        // Generated pages run no scripts, and nobody reads their markup.
        emit DownloadComplete();
        return;
    }
    if (!m_loadFinished && !showsLoadUnderWay()) {
        // An early capture now would take the previous page: try again a little later.
        m_earlyCapture->start(kParsingRetryMs);
        return;
    }
    const unsigned loadNumber = m_loadNumber;
    QPointer<WebEngineBrowser> self(this);
    m_view->page()->runJavaScript(kSnapshotScript, [self, loadNumber](const QVariant& result) {
        if (!self || self->m_loadNumber != loadNumber)
            return; // the control is gone, or a newer load has begun
        if (result.typeId() == QMetaType::Bool) {
            // Still parsing: try again a little later.
            self->m_earlyCapture->start(kParsingRetryMs);
            return;
        }
        const QString body = result.toString();
        if (body.isEmpty())
            self->m_body.reset(); // no document, or one without a body
        else
            self->m_body = body.toStdString();
        emit self->DownloadComplete();
    });
}

} // namespace varrow
