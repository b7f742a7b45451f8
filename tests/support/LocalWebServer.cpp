#include "tests/support/LocalWebServer.h"

#include <QTcpSocket>
#include <QTimer>

namespace varrow::testing
{

LocalWebServer::LocalWebServer(const QHostAddress& host)
{
    listen(host);
    connect(this, &QTcpServer::newConnection, this, &LocalWebServer::answer);
}

void LocalWebServer::serve(const QString& path, const QByteArray& body, const QByteArray& type)
{
    m_pages.insert(path, {body, type, -1, 0, 0});
}

void LocalWebServer::serveSlowly(const QString& path, const QByteArray& body, qsizetype sentAtOnce,
                                 int restAfterMs, const QByteArray& type)
{
    m_pages.insert(path, {body, type, sentAtOnce, restAfterMs, 0});
}

void LocalWebServer::serveCut(const QString& path, const QByteArray& body,
                              qsizetype sentBeforeClose, const QByteArray& type)
{
    m_pages.insert(path, {body, type, sentBeforeClose, -1, 0, true});
}

void LocalWebServer::serveEndless(const QString& path, const QByteArray& head,
                                  const QByteArray& type)
{
    Page page{head, type, -1, 0, 0};
    page.endless = true;
    m_pages.insert(path, page);
}

void LocalWebServer::sendEndlessly(QTcpSocket* socket)
{
    static const QByteArray kChunk(64 * 1024, '\0');
    // Starts with the answer's head being written.
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket, sent = qint64(0)]() mutable {
        while (socket->bytesToWrite() < 4 * kChunk.size() && sent < kEndlessCap) {
            socket->write(kChunk);
            sent += kChunk.size();
        }
    });
}

void LocalWebServer::serveLate(const QString& path, const QByteArray& body, int answerAfterMs)
{
    m_pages.insert(path, {body, "text/html; charset=utf-8", -1, 0, answerAfterMs});
}

void LocalWebServer::holdEveryRequest()
{
    m_holding = true;
}

QString LocalWebServer::address(const QString& path) const
{
    return QString("http://%1:%2%3").arg(serverAddress().toString()).arg(serverPort()).arg(path);
}

void LocalWebServer::answer()
{
    while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (m_holding)
            continue;
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request = socket->peek(socket->bytesAvailable());
            if (!request.contains("\r\n\r\n"))
                return; // wait for the whole header
            socket->readAll();
            const QString path = QString::fromLatin1(request.split(' ').value(1));
            const auto page = m_pages.constFind(path);
            if (page != m_pages.constEnd() && page->answerAfterMs > 0)
                QTimer::singleShot(page->answerAfterMs, socket,
                                   [this, socket, path] { respond(socket, path); });
            else
                respond(socket, path);
        });
    }
}

void LocalWebServer::respond(QTcpSocket* socket, const QString& path)
{
    const auto page = m_pages.constFind(path);
    const bool found = page != m_pages.constEnd();
    const QByteArray body = found ? page->body : QByteArray("not found");
    if (found && page->endless) {
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + page->type +
                      "\r\nConnection: close\r\n\r\n" + body);
        return sendEndlessly(socket);
    }
    const qsizetype atOnce = found && page->sentAtOnce >= 0 ? page->sentAtOnce : body.size();
    socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                  QByteArray("Content-Type: ") + (found ? page->type : QByteArray("text/plain")) +
                  "\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\nConnection: close\r\n\r\n" + body.left(atOnce));
    if (atOnce == body.size() || page->closeAfterPart) {
        socket->disconnectFromHost();
        return;
    }
    if (page->restAfterMs < 0)
        return; // held open
    QTimer::singleShot(page->restAfterMs, socket, [socket, rest = body.mid(atOnce)] {
        socket->write(rest);
        socket->disconnectFromHost();
    });
}

} // namespace varrow::testing
