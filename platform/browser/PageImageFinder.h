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

// Finds every picture a page uses: its live document, read by a script in an isolated world (so
// also when the page's own scripts are off), its same-origin frames, and every image request the
// page made since its current load began.
class PageImageFinder : public QObject
{
    Q_OBJECT

public:
    // Watches `page` from now on. The finder is a child of the page.
    explicit PageImageFinder(QWebEnginePage& page);

    // Lists the pictures of the page now shown after those `inventory` already holds (the
    // capture's lists, for instance) and hands the whole inventory to `done`, from the event loop.
    // `done` is not called when the page or the finder is destroyed first.
    void find(PageImageInventory inventory, std::function<void(PageImageInventory)> done);

    // The page asked for a picture at `address` (reported by its request interceptor).
    void noteImageRequest(const QUrl& address);

signals:
    // The page began loading another document: earlier inventories are out of date.
    void pageChanged();

private:
    void handleLoadStarted();
    // Adds the script's findings (its JSON answer), then the pictures the page requested.
    void addFindings(PageImageInventory& inventory, const QString& answer) const;

    QWebEnginePage& m_page;
    // The pictures requested since the current load began, each once, in request order.
    std::vector<QUrl> m_requested;
    QSet<QUrl> m_requestedSet;
};

} // namespace varrow
