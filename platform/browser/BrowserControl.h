#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <stdexcept>
#include <string>

class QWidget;

namespace varrow
{

// A request the browser refused (no earlier page to go back to, an address it cannot start to
// load). Callers either suppress it or report it; it never ends the program.
class BrowserError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// One embedded browser: the requests, properties and notifications the windows rely on. Requests
// return at once; their outcome arrives later as notifications, on the user-interface thread.
class BrowserControl : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts loading `address` as the user typed it; the control turns it into a URL the way a
    // browser's address bar does. Throws BrowserError when it cannot even start.
    virtual void Navigate(const QString& address) = 0;
    // Loads `address` as Navigate does, in place of the page on show, and scrolls the page it
    // loads to where the person had scrolled the one it replaces, as far as the page reaches.
    virtual void NavigateKeepingPlace(const QString& address) = 0;
    // Starts loading the local file at `filePath`.
    virtual void Navigate2(const QString& filePath) = 0;
    virtual void GoHome() = 0;
    // Move within this control's own history; throw BrowserError when there is no such entry.
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;
    // From now on, when a load of `address` (taken as Navigate takes it) cannot be completed,
    // shows the page `html` instead of the engine's error page; LocationURL stays `address`.
    virtual void setFallbackPage(const QString& address, const QString& html) = 0;

    // The current address, and the page title (the address when the page has none).
    virtual QString LocationURL() const = 0;
    virtual QString LocationName() const = 0;
    // The body element's outer markup as the browser serialises it, as of the last DocumentReady
    // or DownloadComplete; empty when the document or its body cannot be read.
    virtual std::optional<std::string> BodyMarkup() const = 0;

    // For a view that shows a page generated from a captured one: the captured page's address,
    // which decides what the generated page may load (local pictures only for a local page).
    // Views that browse ignore it.
    virtual void setCapturedPage(const QString& address) = 0;

    // The widget that shows the page; windows place, size and show it.
    virtual QWidget* view() const = 0;

signals:
    void StatusTextChange(const QString& text);
    void ProgressChange(int progress, int progressMax);
    void TitleChange(const QString& text);
    void DownloadBegin();
    // The document of the load under way has been parsed, and its first scripts have had a
    // moment to fill it; its pictures may still be loading. BodyMarkup() holds the body as it
    // then stands. Raised at most once per load, before the load's DownloadComplete.
    void DocumentReady();
    void DownloadComplete();
};

// What a browser is for; decides its policy (generated pages run no scripts).
enum class BrowserRole {
    Browsing,      // the user's browser view, the site window, the banner
    GeneratedPage, // the Source Code and Images views
};

} // namespace varrow
