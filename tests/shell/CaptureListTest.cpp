// varrow-capture --load-list, run as the command it is against pages served on 127.0.0.1 by this
// test: the folders it fills, its JSON lines, a run stopped halfway and run again, and shards.
#include "tests/shell/CaptureCommandRun.h"
#include "tests/support/LocalWebServer.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray pictureBytes(const QByteArray& name)
{
    return "GIF89a" + name + QByteArray(500, 'x');
}

// The JSON lines of a run, by address.
QMap<QString, QJsonObject> linesByAddress(const QString& output)
{
    QMap<QString, QJsonObject> lines;
    for (const QString& line : output.split('\n', Qt::SkipEmptyParts)) {
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8()).object();
        lines[object["address"].toString()] = object;
    }
    return lines;
}

QString writeList(const QTemporaryDir& dir, const QStringList& lines)
{
    const QString path = dir.filePath("list.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(lines.join('\n').toUtf8() + '\n');
    return path;
}

// Serves page N with N pictures and a link to a picture.
void servePage(LocalWebServer& server, const QString& path, int pictures)
{
    QByteArray body = "<body><p>" + path.toUtf8() + "</p>";
    for (int i = 0; i < pictures; ++i) {
        const QByteArray name = "p" + QByteArray::number(i) + ".gif";
        body += "<img src=\"" + name + "\">";
        server.serve(QFileInfo(path).path() + "/" + name, pictureBytes(name), "image/gif");
    }
    server.serve(path, body + "<a href=\"big.jpg\">big</a></body>");
}

TEST(CaptureListTest, CapturesEachPageIntoItsFolderAsASinglePageCaptureWould)
{
    LocalWebServer server;
    servePage(server, "/a/one.html", 2);
    servePage(server, "/a/two.html", 0);
    // Two addresses of the same folder name.
    servePage(server, "/a/x*y.html", 1);
    servePage(server, "/a/x_y.html", 1);
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    const QStringList addresses{server.address("/a/one.html"), server.address("/a/two.html"),
                                server.address("/a/x*y.html"), server.address("/a/x_y.html")};
    const QString list =
        writeList(dir, {"# pages", addresses[0], "", addresses[1], "javascript:alert(1)",
                        QString("http://h/\x1b[2J"), addresses[2], addresses[3]});

    const CommandRun run = runCaptureCommand(
        {"--load-list", list, "--out", out, "--jobs", "2", "--inventory", "--save"});

    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString(); // for the two bad lines
    EXPECT_TRUE(run.errors.contains("line 5: not an http, https or file address: javascript:"));
    EXPECT_TRUE(run.errors.contains("line 6: holds a control character: http://h/%1B[2J"));
    const auto lines = linesByAddress(run.output);
    ASSERT_EQ(lines.size(), 4) << run.output.toStdString();
    QSet<QString> folders;
    for (const QString& address : addresses) {
        const QJsonObject line = lines[address];
        EXPECT_EQ(line["outcome"].toString(), "done") << address.toStdString();
        EXPECT_FALSE(line["timedOut"].toBool());
        folders.insert(line["folder"].toString());
        // What a capture of the page alone writes, byte for byte.
        QTemporaryDir single;
        ASSERT_EQ(runCaptureCommand({"--load", address, "--out", single.path()}).exitCode, 0);
        const QDir folder(QDir(out).filePath(line["folder"].toString()));
        for (const char* name : {"source.htm", "imagepage.html"})
            EXPECT_EQ(fileBytes(folder.filePath(name)),
                      fileBytes(QDir(single.path()).filePath(name)))
                << address.toStdString() << " " << name;
        EXPECT_EQ(fileBytes(folder.filePath("inventory.jsonl")),
                  runCaptureCommand({"--load", address, "--inventory"}).output.toUtf8());
    }
    EXPECT_EQ(folders.size(), 4);
    EXPECT_EQ(lines[addresses[0]]["images"].toInt(), 2);
    EXPECT_EQ(lines[addresses[0]]["links"].toInt(), 1);
    EXPECT_EQ(lines[addresses[0]]["pictures"].toInt(), 2);
    EXPECT_EQ(lines[addresses[0]]["picturesFailed"].toInt(), 1); // big.jpg is not served
    const QDir pictures(QDir(out).filePath(lines[addresses[0]]["folder"].toString() + "/pictures"));
    EXPECT_EQ(fileBytes(pictures.filePath("p1.gif")), pictureBytes("p1.gif"));
    EXPECT_EQ(pictures.entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(CaptureListTest, APageThatNeverFinishesIsCapturedAtTheTimeLimit)
{
    LocalWebServer server;
    server.serve("/slow.html", "<body><p>early text</p><img src=\"held.gif\"></body>");
    server.serveLate("/held.gif", pictureBytes("held"), 600000);
    QTemporaryDir dir;
    const QString address = server.address("/slow.html");
    const CommandRun run = runCaptureCommand({"--load-list", writeList(dir, {address}), "--out",
                                              dir.filePath("out"), "--page-timeout", "3"});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QJsonObject line = linesByAddress(run.output)[address];
    EXPECT_EQ(line["outcome"].toString(), "done");
    EXPECT_TRUE(line["timedOut"].toBool());
    EXPECT_EQ(line["images"].toInt(), 1);
    EXPECT_TRUE(fileBytes(dir.filePath("out/" + line["folder"].toString() + "/source.htm"))
                    .contains("early text"));
}

TEST(CaptureListTest, AStoppedRunIsResumedWithoutHalfWrittenPages)
{
    LocalWebServer server;
    servePage(server, "/r/1.html", 1);
    servePage(server, "/r/2.html", 1);
    server.serve("/r/3.html", "<body><img src=\"held.gif\"></body>");
    server.serveLate("/r/held.gif", pictureBytes("held"), 600000);
    servePage(server, "/r/4.html", 1);
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    const QStringList addresses{server.address("/r/1.html"), server.address("/r/2.html"),
                                server.address("/r/3.html"), server.address("/r/4.html")};
    const QStringList arguments{
        "--load-list", writeList(dir, addresses), "--out", out, "--jobs", "1", "--save"};

    QProcess command;
    command.start(VARROW_CAPTURE, arguments);
    ASSERT_TRUE(command.waitForStarted());
    // Stopped while the third page loads, its pictures being saved where it is built: the first
    // two are done.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return command.state() != QProcess::Running ||
                   !QDir(out)
                        .entryList({".varrow-partial-2-*"}, QDir::Dirs | QDir::Hidden)
                        .isEmpty();
        },
        120000));
    QTest::qWait(300);
    command.terminate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return command.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(command.exitCode(), 128 + SIGTERM);
    const auto stopped = linesByAddress(QString::fromUtf8(command.readAllStandardOutput()));
    EXPECT_EQ(stopped.size(), 2);
    EXPECT_EQ(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);

    server.serve("/r/held.gif", pictureBytes("held"), "image/gif");
    const CommandRun again = runCaptureCommand(arguments);
    ASSERT_EQ(again.exitCode, 0) << again.errors.toStdString();
    const auto lines = linesByAddress(again.output);
    EXPECT_EQ(lines[addresses[0]]["outcome"].toString(), "skipped");
    EXPECT_EQ(lines[addresses[1]]["outcome"].toString(), "skipped");
    EXPECT_EQ(lines[addresses[2]]["outcome"].toString(), "done");
    EXPECT_EQ(lines[addresses[2]]["pictures"].toInt(), 1);
    EXPECT_EQ(lines[addresses[3]]["outcome"].toString(), "done");
    EXPECT_EQ(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 4);
}

// A page the engine cannot open is shown as its error page; that page is not the one asked for,
// so nothing is captured, the page fails with the engine's reason and the next run tries again.
TEST(CaptureListTest, APageThatCannotBeOpenedFailsAndIsTriedAgain)
{
    LocalWebServer server;
    servePage(server, "/o/ok.html", 1);
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString refused = QString("http://127.0.0.1:%1/gone.html").arg(closed.serverPort());
    closed.close();
    const QString missing = server.address("/o/missing.html");
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    const QStringList arguments{"--load-list",
                                writeList(dir, {server.address("/o/ok.html"), refused, missing}),
                                "--out", out};

    for (int run = 0; run < 2; ++run) {
        const CommandRun done = runCaptureCommand(arguments);
        EXPECT_EQ(done.exitCode, 1);
        const auto lines = linesByAddress(done.output);
        EXPECT_EQ(lines[server.address("/o/ok.html")]["outcome"].toString(),
                  run == 0 ? "done" : "skipped");
        for (const auto& [address, reason] :
             {std::pair{refused, "ERR_CONNECTION_REFUSED"}, std::pair{missing, "HTTP 404"}}) {
            EXPECT_EQ(lines[address]["outcome"].toString(), "failed") << run;
            EXPECT_TRUE(lines[address]["reason"].toString().contains(reason))
                << lines[address]["reason"].toString().toStdString();
        }
        EXPECT_EQ(QDir(out).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
    }
    QTemporaryDir single;
    EXPECT_EQ(runCaptureCommand({"--load", refused, "--out", single.path()}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(single.filePath("source.htm")));
}

TEST(CaptureListTest, ShardsTakeEveryPageOnceBetweenThem)
{
    LocalWebServer server;
    QStringList addresses;
    for (int i = 0; i < 5; ++i) {
        servePage(server, QString("/s/%1.html").arg(i), 0);
        addresses += server.address(QString("/s/%1.html").arg(i));
    }
    QTemporaryDir dir;
    const QString list = writeList(dir, addresses);
    QStringList captured;
    for (const QString shard : {"0/2", "1/2"}) {
        const CommandRun run = runCaptureCommand(
            {"--load-list", list, "--out", dir.filePath(shard.left(1)), "--shard", shard});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        captured += linesByAddress(run.output).keys();
    }
    captured.sort();
    EXPECT_EQ(captured, addresses);
}

} // namespace
} // namespace varrow::testing
