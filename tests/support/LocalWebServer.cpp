#include "tests/support/LocalWebServer.h"

#include <QTcpSocket>

namespace varrow::testing
{

LocalWebServer::LocalWebServer(const QHostAddress& host)
{
    listen(host);
    connect(this, &QTcpServer::newConnection, this, &LocalWebServer::answer);
}

void LocalWebServer::serve(const QString& path, const QByteArray& body, const QByteArray& type)
{
    m_pages.insert(path, {body, type});
}

QString LocalWebServer::address(const QString& path) const
{
    return QString("http://%1:%2%3").arg(serverAddress().toString()).arg(serverPort()).arg(path);
}

void LocalWebServer::answer()
{
    while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            const QByteArray request = socket->peek(socket->bytesAvailable());
            if (!request.contains("\r\n\r\n"))
                return; // wait for the whole header
            socket->readAll();
            const QString path = QString::fromLatin1(request.split(' ').value(1));
            const auto page = m_pages.constFind(path);
            const bool found = page != m_pages.constEnd();
            const QByteArray body = found ? page->first : QByteArray("not found");
            socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                          QByteArray("Content-Type: ") +
                          (found ? page->second : QByteArray("text/plain")) +
                          "\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
    }
}

} // namespace varrow::testing
