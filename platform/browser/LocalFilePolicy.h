#pragma once

#include "platform/browser/BrowserControl.h"

#include <QUrl>
#include <QWebEngineUrlRequestInfo>

namespace varrow
{

// Which requests for local files, and which WebSockets, a page in one browser may make.
//
// The engine cannot make each local file an origin of its own and still let a local page show
// other local files, so a local page is confined to its own folder instead. A page that the user
// browses may open local files as pages; a local page shows pictures, style sheets, scripts,
// fonts and media from its own folder and the folders below it (a saved page's "NAME_files"),
// never from anywhere else on disk (paths are compared after following symbolic links), so no
// script of it can read another folder's files through a script's error message, a canvas, a
// style sheet's rules or a track's cues. No script of any page reads a local file through a
// request (XMLHttpRequest, fetch), a frame, an object or a worker: those are refused, and the
// page sees a network error. A local page opens no WebSocket, to any host. A generated page runs
// no script; it may show local pictures only when the page it was generated from is itself a
// local file, so that a web page's gallery never shows a file from the disk. Requests for
// anything but local files, from pages that are not local files, are left to the engine's own
// rules.
class LocalFilePolicy
{
public:
    using ResourceType = QWebEngineUrlRequestInfo::ResourceType;

    explicit LocalFilePolicy(BrowserRole role) : m_role(role) {}

    // The address of the page that the generated page shows the capture of; until it is set, the
    // captured page counts as a web page.
    void setCapturedPage(const QUrl& address) { m_capturedPageIsLocal = address.isLocalFile(); }

    // True when a request for `address`, loading a resource of `type` for the top-level page at
    // `page`, may go ahead.
    bool allows(const QUrl& address, ResourceType type, const QUrl& page) const;

private:
    BrowserRole m_role;
    bool m_capturedPageIsLocal = false;
};

} // namespace varrow
