#pragma once

#include "platform/browser/LocalFilePolicy.h"

#include <QCache>
#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QUrl>
#include <deque>

class QNetworkReply;

namespace varrow
{

// Small pictures of a page's pictures, loaded only when asked for and kept in a small cache, so a
// table of thousands of pictures loads only those it shows. Pictures come over the network with
// the page as referrer, data: addresses are decoded in place, and local files are read only for a
// local page, as the gallery shows them; other addresses (blob:, ...) give no thumbnail.
class ThumbnailLoader : public QObject
{
    Q_OBJECT

public:
    // Thumbnails fit a square of this many pixels; smaller pictures keep their size.
    static constexpr int kEdge = 48;
    // Larger pictures are decoded smaller where their format allows.
    static constexpr int kDecodedEdge = 1024;
    static constexpr int kCached = 512; // thumbnails kept
    static constexpr int kRunning = 6;  // loads at the same time
    static constexpr int kWaiting = 96; // asked-for loads kept waiting; older ones are dropped
    static constexpr qint64 kLargest = 32 * 1024 * 1024; // bytes read of one picture at most

    explicit ThumbnailLoader(QObject* parent = nullptr);

    // The page whose pictures are shown: their referrer, and whether local files may be read.
    // Forgets the thumbnails and loads of the previous page.
    void setPage(const QUrl& page);

    // The thumbnail of `url` when it is loaded; otherwise starts to load it (the latest asked
    // first) and returns a null pixmap. A picture that cannot be loaded stays null.
    QPixmap thumbnail(const QString& url);

signals:
    // The thumbnail of `url` is there (or will never be).
    void loaded(const QString& url);
    // What the bytes fetched for `url` are: a picture of MIME type `type` (judged by the bytes
    // alone), `bytes` long. Not said of content that is no picture.
    void fetched(const QString& url, const QString& type, qint64 bytes);

private:
    void startWaiting();
    void finish(QNetworkReply* reply, const QString& url);
    bool mayLoad(const QUrl& address) const;

    QNetworkAccessManager m_network;
    QUrl m_page;
    LocalFilePolicy m_policy{BrowserRole::GeneratedPage};
    QCache<QString, QPixmap> m_cache{kCached};
    QSet<QString> m_unavailable;
    QSet<QString> m_asked; // waiting or running
    std::deque<QString> m_waiting;
    QHash<QNetworkReply*, QString> m_running;
};

} // namespace varrow
