#pragma once

#include "extract/PageImages.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <functional>
#include <memory>
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
    // Watches `browser`'s page and the picture requests the browser reports from now on, so make
    // it as soon as the browser exists. The finder is a child of the page.
    explicit PageImageFinder(WebEngineBrowser& browser);

    // What find() hands over: the whole inventory and an empty problem, or, when the page's
    // pictures could not be listed, the reason, with the inventory as far as it got.
    using Done = std::function<void(PageImageInventory inventory, const QString& problem)>;

    // Lists the pictures of the page now shown after those `inventory` already holds (the
    // capture's lists, for instance) and hands the whole inventory to `done`, from the event loop.
    // `done` is not called when the page or the finder is destroyed first.
    void find(PageImageInventory inventory, Done done);

    // The page asked for a picture at `address` for its top-level document at `document`
    // (reported by its request interceptor); `icon` when the engine asked for the page's icon.
    // Only the requests for the document on show are listed: a late request of the page being
    // left is not the next page's, also when the next load began before the last one finished.
    // An icon request is listed only when the document names that icon: the engine asks for
    // "/favicon.ico" of every site by itself. A request for a picture that the document does not
    // name is listed only when the engine decodes a picture from its answer: a failed request or
    // one answered with anything else is no picture of the page.
    void noteImageRequest(const QUrl& address, const QUrl& document, bool icon);

signals:
    // The page began loading another document: earlier inventories are out of date.
    void pageChanged();

private:
    struct Reading;
    void handleLoadStarted();
    // Reads the script's first answer, then asks for its findings piece by piece.
    void handleSummary(const std::shared_ptr<Reading>& reading, const QString& answer);
    void readPiece(const std::shared_ptr<Reading>& reading, int start);
    void handlePiece(const std::shared_ptr<Reading>& reading, const QString& answer);
    // Adds the pictures the page requested that the document names, and checks the others.
    void finishReading(const std::shared_ptr<Reading>& reading);
    // Asks the engine, every kCheckIntervalMs until it has told them all or `pollsLeft` runs
    // out, which of the requests the document does not name gave a picture.
    void pollCheck(const std::shared_ptr<Reading>& reading, int id, int pollsLeft);
    void handleCheck(const std::shared_ptr<Reading>& reading, int id, int pollsLeft,
                     const QString& answer);
    // Adds what the files on this machine and the data: addresses tell, then hands the inventory
    // over.
    static void complete(Reading& reading);

    QWebEnginePage& m_page;
    // The pictures requested since the current load began, each once per document, in request
    // order.
    struct Request {
        QUrl address;
        QUrl document; // without its fragment
        bool icon = false;
        bool operator==(const Request&) const = default;
    };
    friend size_t qHash(const Request& request, size_t seed = 0)
    {
        return qHashMulti(seed, request.address, request.document, request.icon);
    }
    std::vector<Request> m_requested;
    QSet<Request> m_requestedSet;
};

} // namespace varrow
