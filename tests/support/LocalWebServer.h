#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTcpServer>

namespace varrow::testing
{

// A small HTTP server on a loopback address (127.0.0.1 unless told) that answers GET requests
// from a table of paths, on the test's own event loop. Unknown paths get 404.
class LocalWebServer : public QTcpServer
{
    Q_OBJECT

public:
    explicit LocalWebServer(const QHostAddress& host = QHostAddress::LocalHost);

    void serve(const QString& path, const QByteArray& body,
               const QByteArray& type = "text/html; charset=utf-8");
    // "http://HOST:PORT" + path
    QString address(const QString& path) const;

private:
    void answer();

    QMap<QString, QPair<QByteArray, QByteArray>> m_pages;
};

} // namespace varrow::testing
