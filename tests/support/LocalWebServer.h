#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

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
    // Answers `path` with the first `sentAtOnce` bytes of `body` at once and the rest after
    // `restAfterMs`; with a negative delay the rest never comes while the server lives.
    void serveSlowly(const QString& path, const QByteArray& body, qsizetype sentAtOnce,
                     int restAfterMs, const QByteArray& type = "text/html; charset=utf-8");
    // Answers `path` with the first `sentBeforeClose` bytes of `body` under the whole body's
    // length, then closes the connection: a download that breaks off.
    void serveCut(const QString& path, const QByteArray& body, qsizetype sentBeforeClose,
                  const QByteArray& type = "application/octet-stream");
    // Answers `path` with `head` and then zero bytes without end and without a length, as long
    // as the client reads (at most kEndlessCap bytes, so that a test that fails still ends).
    void serveEndless(const QString& path, const QByteArray& head, const QByteArray& type);
    static constexpr qint64 kEndlessCap = qint64(4) << 30;
    // Answers `path` only `answerAfterMs` after the request, headers included.
    void serveLate(const QString& path, const QByteArray& body, int answerAfterMs);
    // From now on accepts every connection and never answers it, as a host that holds its
    // requests does.
    void holdEveryRequest();
    // "http://HOST:PORT" + path
    QString address(const QString& path) const;

private:
    void answer();
    void respond(QTcpSocket* socket, const QString& path);

    struct Page {
        QByteArray body;
        QByteArray type;
        qsizetype sentAtOnce; // the whole body when negative
        int restAfterMs;      // never when negative
        int answerAfterMs;
        bool closeAfterPart = false;
        bool endless = false;
    };
    // Keeps writing zero bytes to `socket` while it drains them.
    static void sendEndlessly(QTcpSocket* socket);
    QMap<QString, Page> m_pages;
    bool m_holding = false;
};

} // namespace varrow::testing
