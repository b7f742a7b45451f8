// varrow-capture --load PAGE --save FOLDER, run as the command it is against pages served on
// 127.0.0.1 by this test, judged by what lies in the folder afterwards.
#include "tests/shell/CaptureCommandRun.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/ServedFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
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

QByteArray pictureBytes(const char* name)
{
    return QByteArray("GIF89a") + name + QByteArray(2000, char(name[0]));
}

// The first child process of `parent`, or 0.
qint64 childOf(qint64 parent)
{
    QFile children(QString("/proc/%1/task/%1/children").arg(parent));
    if (!children.open(QIODevice::ReadOnly))
        return 0;
    return children.readAll().split(' ').value(0).toLongLong();
}

TEST(CaptureSaveTest, SavesEveryPictureOfAServedPageAndPrintsOneLineEach)
{
    LocalWebServer server;
    server.serve("/gallery/page.html",
                 "<body><img src=\"shown.gif\">\r\n<a href=\"big/linked.jpg\">big</a>\r\n"
                 "<img src=\"/missing.gif\"></body>");
    server.serve("/gallery/shown.gif", pictureBytes("shown"), "image/gif");
    server.serve("/gallery/big/linked.jpg", pictureBytes("linked"), "image/jpeg");
    QTemporaryDir folder;
    QFile existing(QDir(folder.path()).filePath("shown.gif"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();

    const CommandRun run = runCaptureCommand(
        {"--load", server.address("/gallery/page.html"), "--save", folder.path()});

    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
    const QString shown = QDir(folder.path()).filePath("shown (2).gif");
    const QString linked = QDir(folder.path()).filePath("linked.jpg");
    // In the document's order.
    const QStringList lines = run.output.split('\n', Qt::SkipEmptyParts);
    // The engine's own request for the site's icon, which the page does not name, is none of them.
    ASSERT_EQ(lines.size(), 3) << run.output.toStdString();
    EXPECT_EQ(lines[0], "saved\t" + shown);
    EXPECT_EQ(lines[1], "saved\t" + linked);
    EXPECT_TRUE(lines[2].startsWith("failed\t")) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(server.address("/missing.gif"))) << lines[2].toStdString();
    EXPECT_EQ(fileBytes(shown), pictureBytes("shown"));
    EXPECT_EQ(fileBytes(linked), pictureBytes("linked"));
    EXPECT_EQ(fileBytes(QDir(folder.path()).filePath("shown.gif")), "kept");
    // Every saved picture and the file that was there, no temporary file.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), lines.size());
}

TEST(CaptureSaveTest, SavesEveryKindOfPictureOfTheFixtureSite)
{
    LocalWebServer server;
    serveFolder(server, VARROW_PAGE_IMAGES_SITE);
    QTemporaryDir folder;

    const CommandRun run =
        runCaptureCommand({"--load", server.address("/index.html"), "--save", folder.path()});

    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString() << run.errors.toStdString();
    // Each picture file of the site under its own name, the inline one as "picture.png".
    QStringList expected{"picture.png"};
    QDirIterator files(QString(VARROW_PAGE_IMAGES_SITE) + "/pictures", QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo served(files.next());
        expected.append(served.fileName());
        EXPECT_EQ(fileBytes(QDir(folder.path()).filePath(served.fileName())),
                  fileBytes(served.filePath()))
            << served.fileName().toStdString();
    }
    expected.sort();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    EXPECT_EQ(run.output.count("saved\t"), expected.size());
}

TEST(CaptureSaveTest, ALocalPageSavesItsLocalPicturesAndExitsZero)
{
    QTemporaryDir pageDir, folder;
    QFile picture(QDir(pageDir.path()).filePath("local.gif"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(pictureBytes("local"));
    picture.close();
    QFile page(QDir(pageDir.path()).filePath("page.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<body><img src=\"local.gif\"></body>");
    page.close();

    const CommandRun run = runCaptureCommand({"--load", page.fileName(), "--save", folder.path()});

    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString() << run.errors.toStdString();
    const QString saved = QDir(folder.path()).filePath("local.gif");
    EXPECT_EQ(run.output, "saved\t" + saved + "\n");
    EXPECT_EQ(fileBytes(saved), pictureBytes("local"));
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

TEST(CaptureSaveTest, AnAddressTheEngineCannotRequestFailsAndTheOthersAreSaved)
{
    LocalWebServer server;
    server.serve("/page.html", "<body><img src=\"/img/dir%00x/ok.png\">"
                               "<img src=\"/img/good.gif\"><img src=\"/img/two.gif\"></body>");
    server.serve("/img/good.gif", pictureBytes("good"), "image/gif");
    server.serve("/img/two.gif", pictureBytes("two"), "image/gif");
    QTemporaryDir folder;

    const CommandRun run =
        runCaptureCommand({"--load", server.address("/page.html"), "--save", folder.path()});

    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
    EXPECT_TRUE(
        run.output.contains("failed\tcannot save " + server.address("/img/dir%00x/ok.png") + ": "))
        << run.output.toStdString() << run.errors.toStdString();
    EXPECT_EQ(filesIn(folder.path()), (QStringList{"good.gif", "two.gif"}));
}

TEST(CaptureSaveTest, APictureOverTheLimitFailsAndLeavesNoFile)
{
    LocalWebServer server;
    server.serve("/page.html", "<body><img src=\"endless.gif\"><img src=\"small.gif\"></body>");
    server.serveEndless("/endless.gif", pictureBytes("endless"), "image/gif");
    server.serve("/small.gif", pictureBytes("small"), "image/gif");
    QTemporaryDir folder;

    const CommandRun run = runCaptureCommand(
        {"--load", server.address("/page.html"), "--save", folder.path(), "--max-bytes", "100000"});

    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
    EXPECT_EQ(run.output, "failed\tcannot save " + server.address("/endless.gif") +
                              ": larger than 100000 bytes\nsaved\t" +
                              QDir(folder.path()).filePath("small.gif") + "\n");
    EXPECT_EQ(filesIn(folder.path()), QStringList{"small.gif"});
    EXPECT_TRUE(runCaptureCommand({"--help"}).output.contains("--max-bytes N"));
    EXPECT_EQ(runCaptureCommand({"--load", "page.html", "--max-bytes", "10"}).exitCode, 2);
    EXPECT_EQ(
        runCaptureCommand({"--load", "page.html", "--save", folder.path(), "--max-bytes", "0"})
            .exitCode,
        2);
}

TEST(CaptureSaveTest, ASiteWithoutAnIconSavesEveryPictureAndExitsZero)
{
    LocalWebServer server;
    server.serve("/page.html", "<body><img src=\"one.gif\"></body>");
    server.serve("/one.gif", pictureBytes("one"), "image/gif");
    QTemporaryDir folder;

    const CommandRun run =
        runCaptureCommand({"--load", server.address("/page.html"), "--save", folder.path()});

    EXPECT_EQ(run.exitCode, 0) << run.output.toStdString() << run.errors.toStdString();
    EXPECT_EQ(run.output, "saved\t" + QDir(folder.path()).filePath("one.gif") + "\n");
}

TEST(CaptureSaveTest, WhatIsNoPictureIsNotSaved)
{
    LocalWebServer server;
    server.serve("/page.html", "<body><img src=\"run.sh\"><img src=\"ok.gif\">"
                               "<img src=\"other.html\"></body>");
    server.serve("/run.sh", "#!/bin/sh\necho hostile\n", "application/x-sh");
    server.serve("/other.html", "<!DOCTYPE html><html><body><p>a page</p></body></html>");
    server.serve("/ok.gif", pictureBytes("ok"), "image/gif");
    QTemporaryDir folder;

    const CommandRun run =
        runCaptureCommand({"--load", server.address("/page.html"), "--save", folder.path()});

    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
    const QStringList lines = run.output.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << run.output.toStdString();
    EXPECT_TRUE(lines[0].startsWith("failed\tcannot save " + server.address("/run.sh") +
                                    ": not a picture: "))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], "saved\t" + QDir(folder.path()).filePath("ok.gif"));
    EXPECT_EQ(lines[2], "failed\tcannot save " + server.address("/other.html") +
                            ": not a picture: the file holds text/html");
    EXPECT_EQ(filesIn(folder.path()), QStringList{"ok.gif"});
}

// A save stopped by a signal, to the command or to the loader it runs, ends cleanly and leaves
// no partial file.
TEST(CaptureSaveTest, AStoppedSaveLeavesNoPartialFile)
{
    const struct {
        const char* name;
        int signal;
        bool toLoader;
    } cases[] = {{"SIGTERM to the command", SIGTERM, false},
                 {"SIGINT to the command", SIGINT, false},
                 {"SIGTERM to the loader", SIGTERM, true},
                 {"SIGHUP to the loader", SIGHUP, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LocalWebServer server;
        server.serve("/page.html", "<body><img src=\"held.gif\"><img src=\"endless.gif\"></body>");
        server.serveSlowly("/held.gif", pictureBytes("held") + QByteArray(100000, 'h'), 1000, -1,
                           "image/gif");
        server.serveEndless("/endless.gif", pictureBytes("endless"), "image/gif");
        QTemporaryDir folder;
        QProcess command;
        command.start(VARROW_CAPTURE,
                      {"--load", server.address("/page.html"), "--save", folder.path()});
        ASSERT_TRUE(command.waitForStarted());
        // Both downloads are under way: the engine writes their intermediate files.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return filesIn(folder.path()).filter(".download").size() == 2; }, 120000))
            << filesIn(folder.path()).join(' ').toStdString();
        const qint64 target = c.toLoader ? childOf(command.processId()) : command.processId();
        ASSERT_GT(target, 0);
        kill(pid_t(target), c.signal);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return command.state() == QProcess::NotRunning; }, 60000));
        EXPECT_EQ(command.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(command.exitCode(), 128 + c.signal);
        EXPECT_EQ(filesIn(folder.path()), QStringList());
        EXPECT_EQ(QString(command.readAllStandardOutput()).count("failed\t"), 2);
    }
}

TEST(CaptureSaveTest, MisuseAndPagesThatCannotBeLoaded)
{
    QTemporaryDir folder;
    EXPECT_EQ(runCaptureCommand({"--save", folder.path()}).exitCode, 2);
    EXPECT_EQ(runCaptureCommand({"--load", "page.html", "--save"}).exitCode, 2);
    EXPECT_EQ(
        runCaptureCommand({"--load", "page.html", "--save", folder.path(), "--lists"}).exitCode, 2);
    const CommandRun blank = runCaptureCommand({"--load", " ", "--save", folder.path()});
    EXPECT_EQ(blank.exitCode, 1);
    EXPECT_TRUE(blank.errors.contains("varrow-capture: cannot load  : "))
        << blank.errors.toStdString();
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

} // namespace
} // namespace varrow::testing
