#pragma once

#include "platform/browser/BrowserControl.h"

#include <QUrl>
#include <QWebEngineUrlRequestInfo>

namespace varrow
{

// Which requests for local files a page in one browser may make.
//
// A page that the user browses may open local files as pages and show local pictures, style
// sheets, scripts, fonts and media, wherever they lie on disk, but no script of it may read a
// local file: requests (XMLHttpRequest, fetch), frames, objects and workers that would load one
// are refused, and the page sees a network error. A generated page runs no script; it may show
// local pictures only when the page it was generated from is itself a local file, so that a web
// page's gallery never shows a file from the disk. Requests for anything but local files are left
// to the engine's own rules.
class LocalFilePolicy
{
public:
    using ResourceType = QWebEngineUrlRequestInfo::ResourceType;

    explicit LocalFilePolicy(BrowserRole role) : m_role(role) {}

    // The address of the page that the generated page shows the capture of; until it is set, the
    // captured page counts as a web page.
    void setCapturedPage(const QUrl& address) { m_capturedPageIsLocal = address.isLocalFile(); }

    // True when a request for `address`, loading a resource of `type`, may go ahead.
    bool allows(const QUrl& address, ResourceType type) const;

private:
    BrowserRole m_role;
    bool m_capturedPageIsLocal = false;
};

} // namespace varrow
