#pragma once

#include "extract/PageImages.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <functional>
#include <vector>

class QWebEnginePage;

namespace varrow
{

class WebEngineBrowser;

// Finds every picture a page uses: its live document, read by a script in an isolated world (so
// also when the page's own scripts are off), its same-origin frames, and every image request the
// page made since its current load began.
class PageImageFinder : public QObject
{
    Q_OBJECT

public:
    // Watches `page` from now on. The finder is a child of the page.
    explicit PageImageFinder(QWebEnginePage& page);

    // The finder of `browser`'s page, made and connected to the browser's picture requests on the
    // first call. Call it as soon as the browser exists, so that the finder sees every request.
    static PageImageFinder& of(WebEngineBrowser& browser);

    // Lists the pictures of the page now shown after those `inventory` already holds (the
    // capture's lists, for instance) and hands the whole inventory to `done`, from the event loop.
    // `done` is not called when the page or the finder is destroyed first.
    void find(PageImageInventory inventory, std::function<void(PageImageInventory)> done);

    // The page asked for a picture at `address` for its top-level document at `document`
    // (reported by its request interceptor). Only the requests for the document on show are
    // listed: a late request of the page being left is not the next page's, also when the next
    // load began before the last one finished.
    void noteImageRequest(const QUrl& address, const QUrl& document);

signals:
    // The page began loading another document: earlier inventories are out of date.
    void pageChanged();

private:
    void handleLoadStarted();
    // Adds the script's findings (its JSON answer), then the pictures the page requested.
    void addFindings(PageImageInventory& inventory, const QString& answer) const;

    QWebEnginePage& m_page;
    // The pictures requested since the current load began, each once per document, in request
    // order.
    struct Request {
        QUrl address;
        QUrl document; // without its fragment
        bool operator==(const Request&) const = default;
    };
    friend size_t qHash(const Request& request, size_t seed = 0)
    {
        return qHashMulti(seed, request.address, request.document);
    }
    std::vector<Request> m_requested;
    QSet<Request> m_requestedSet;
};

} // namespace varrow
