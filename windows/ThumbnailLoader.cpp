#include "windows/ThumbnailLoader.h"

#include "shell/pictures/PictureContent.h"

#include <QBuffer>
#include <QImageReader>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace varrow
{

ThumbnailLoader::ThumbnailLoader(QObject* parent) : QObject(parent) {}

void ThumbnailLoader::setPage(const QUrl& page)
{
    m_page = page;
    m_policy.setCapturedPage(page);
    m_cache.clear();
    m_unavailable.clear();
    m_asked.clear();
    m_waiting.clear();
    const auto running = m_running.keys();
    m_running.clear();
    for (QNetworkReply* reply : running) {
        reply->disconnect(this);
        if (reply->isRunning())
            reply->abort();
        reply->deleteLater();
    }
}

bool ThumbnailLoader::mayLoad(const QUrl& address) const
{
    const QString scheme = address.scheme();
    if (scheme == "http" || scheme == "https" || scheme == "data")
        return true;
    return address.isLocalFile() &&
           m_policy.allows(address, QWebEngineUrlRequestInfo::ResourceTypeImage, m_page);
}

QPixmap ThumbnailLoader::thumbnail(const QString& url)
{
    if (const QPixmap* cached = m_cache.object(url))
        return *cached;
    if (m_unavailable.contains(url) || m_asked.contains(url))
        return {};
    if (!mayLoad(QUrl(url))) {
        m_unavailable.insert(url);
        return {};
    }
    m_asked.insert(url);
    m_waiting.push_back(url);
    if (m_waiting.size() > kWaiting) {
        m_asked.remove(m_waiting.front());
        m_waiting.pop_front();
    }
    startWaiting();
    return {};
}

void ThumbnailLoader::startWaiting()
{
    while (m_running.size() < kRunning && !m_waiting.empty()) {
        const QString url = m_waiting.back();
        m_waiting.pop_back();
        QNetworkRequest request{QUrl(url)};
        if (!m_page.isLocalFile())
            request.setRawHeader("Referer", m_page.toEncoded());
        QNetworkReply* reply = m_network.get(request);
        m_running.insert(reply, url);
        connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
            if (received > kLargest)
                reply->abort();
        });
        connect(reply, &QNetworkReply::finished, this, [this, reply, url] { finish(reply, url); });
    }
}

void ThumbnailLoader::finish(QNetworkReply* reply, const QString& url)
{
    reply->deleteLater();
    m_running.remove(reply);
    m_asked.remove(url);
    QImage picture;
    if (reply->error() == QNetworkReply::NoError) {
        QByteArray bytes = reply->readAll();
        const QString type = sniffPictureBytes(bytes).pictureType;
        if (!type.isEmpty())
            emit fetched(url, type, bytes.size());
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer);
        // A very large picture is decoded at a reduced size where its format allows; the
        // others whole, since some formats scale badly while they decode (indexed colours).
        const QSize size = reader.size();
        if (size.width() > kDecodedEdge || size.height() > kDecodedEdge)
            reader.setScaledSize(size.scaled(kDecodedEdge, kDecodedEdge, Qt::KeepAspectRatio));
        picture = reader.read();
        if (picture.width() > kEdge || picture.height() > kEdge)
            picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                          .scaled(kEdge, kEdge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    if (picture.isNull())
        m_unavailable.insert(url);
    else
        m_cache.insert(url, new QPixmap(QPixmap::fromImage(std::move(picture))));
    emit loaded(url);
    startWaiting();
}

} // namespace varrow
