// varrow-capture --load PAGE --save FOLDER, run as the command it is against pages served on
// 127.0.0.1 by this test, judged by what lies in the folder afterwards.
#include "tests/shell/CaptureCommandRun.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/ServedFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
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

TEST(CaptureSaveTest, SavesEveryPictureOfAServedPageAndPrintsOneLineEach)
{
    LocalWebServer server;
    server.serve("/gallery/page.html",
                 "<body><img src=\"shown.gif\">\r\n<a href=\"big/linked.jpg\">big</a>\r\n"
                 "<img src=\"/missing.gif\"></body>");
    server.serve("/gallery/shown.gif", pictureBytes("shown"), "image/gif");
    server.serve("/gallery/big/linked.jpg", pictureBytes("linked"), "image/jpeg");
    server.serve("/favicon.ico", pictureBytes("icon"), "image/x-icon"); // the engine asks for it
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
    // The capture's lists come first, in page order; then what else the page used.
    const QStringList lines = run.output.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3) << run.output.toStdString();
    EXPECT_EQ(lines[0], "saved\t" + shown);
    EXPECT_TRUE(lines[1].startsWith("failed\t")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(server.address("/missing.gif"))) << lines[1].toStdString();
    EXPECT_EQ(lines[2], "saved\t" + linked);
    for (const QString& line : lines.mid(3))
        EXPECT_TRUE(line.startsWith("saved\t")) << line.toStdString();
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
