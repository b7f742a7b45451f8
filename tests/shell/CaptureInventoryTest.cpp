// varrow-capture --load ADDRESS --inventory, run as the command it is against the fixture site
// served by the test's own server on 127.0.0.1.
#include "tests/shell/CaptureCommandRun.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/ServedFolder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

// A run of the command with its output read as JSON Lines.
struct Listing {
    int exitCode = -1;
    QString output;
    QList<QJsonObject> pictures; // each line of the output, read as JSON
};

class CaptureInventoryTest : public ::testing::Test
{
protected:
    void SetUp() override { serveFolder(server, VARROW_PAGE_IMAGES_SITE); }

    // Runs varrow-capture in an empty folder of its own, serving pages while it runs.
    Listing capture(const QStringList& arguments)
    {
        const CommandRun run = runCaptureCommand(arguments, workDir.path());
        Listing listing{run.exitCode, run.output, {}};
        for (const QString& line : run.output.split('\n', Qt::SkipEmptyParts)) {
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(line.toUtf8(), &error);
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
            listing.pictures.append(document.object());
        }
        return listing;
    }

    // The listed picture at `path` of the server.
    static QJsonObject pictureAt(const Listing& run, const QString& address)
    {
        for (const QJsonObject& picture : run.pictures)
            if (picture.value("url").toString() == address)
                return picture;
        return {};
    }

    LocalWebServer server;
    QTemporaryDir workDir;
};

TEST_F(CaptureInventoryTest, PrintsEveryPictureOfTheLoadedPageAsJsonLinesAndWritesNoFile)
{
    const Listing run = capture({"--load", server.address("/index.html"), "--inventory"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_EQ(run.pictures.size(), 24) << run.output.toStdString();
    for (const QJsonObject& picture : run.pictures)
        EXPECT_EQ(picture.keys(), (QStringList{"alt", "bytes", "count", "found", "height", "type",
                                               "url", "width"}));

    const QJsonObject plain = pictureAt(run, server.address("/pictures/img.png"));
    EXPECT_EQ(plain.value("found").toArray(), (QJsonArray{"img", "network"}));
    EXPECT_EQ(plain.value("width").toInt(), 10);
    EXPECT_EQ(plain.value("height").toInt(), 11);
    EXPECT_EQ(plain.value("alt").toString(), "plain");
    EXPECT_EQ(plain.value("bytes").toInt(), 75);
    EXPECT_EQ(plain.value("count").toInt(), 1);
    const QJsonObject wide =
        pictureAt(run, server.address("/pictures/w_424,c_limit/srcset-2x.png"));
    EXPECT_EQ(wide.value("found").toArray(), (QJsonArray{"srcset"}));
    EXPECT_TRUE(wide.value("bytes").isNull());
    const QJsonObject framed = pictureAt(run, server.address("/pictures/frame.png"));
    EXPECT_EQ(framed.value("found").toArray(), (QJsonArray{"img", "frame", "network"}));
    EXPECT_EQ(framed.value("width").toInt(), 50);

    EXPECT_TRUE(QDir(workDir.path()).isEmpty());
}

TEST_F(CaptureInventoryTest, SettleWaitsForPicturesThatComeLate)
{
    server.serve("/late.html",
                 "<!DOCTYPE html><html><body><p>soon</p><script>addEventListener('load', () =>"
                 " setTimeout(() => { const late = document.createElement('img');"
                 " late.src = 'pictures/img.png'; document.body.append(late); }, 1500));"
                 "</script></body></html>");
    const QString late = server.address("/pictures/img.png");

    // The engine may also ask for the site's default icon; the late picture is what counts.
    const Listing atOnce = capture({"--load", server.address("/late.html"), "--inventory"});
    ASSERT_EQ(atOnce.exitCode, 0);
    EXPECT_TRUE(pictureAt(atOnce, late).isEmpty()) << atOnce.output.toStdString();

    const Listing settled =
        capture({"--load", server.address("/late.html"), "--inventory", "--settle", "3"});
    ASSERT_EQ(settled.exitCode, 0);
    const QJsonObject picture = pictureAt(settled, late);
    EXPECT_EQ(picture.value("found").toArray(), (QJsonArray{"img", "network"}))
        << settled.output.toStdString();
    EXPECT_EQ(picture.value("width").toInt(), 10);
    EXPECT_EQ(picture.value("count").toInt(), 1);
}

TEST_F(CaptureInventoryTest, OnlyTheIconsThePageNamesAreListed)
{
    server.serve("/plain.html", "<body><img src=\"pictures/img.png\"></body>");
    server.serve("/named.html",
                 "<head><link rel=\"icon\" href=\"pictures/icon.png\"></head><body></body>");

    // The engine asks for "/favicon.ico" by itself; the page uses no such picture.
    const Listing plain =
        capture({"--load", server.address("/plain.html"), "--inventory", "--settle", "1"});
    ASSERT_EQ(plain.exitCode, 0);
    ASSERT_EQ(plain.pictures.size(), 1) << plain.output.toStdString();
    EXPECT_EQ(plain.pictures[0].value("url").toString(), server.address("/pictures/img.png"));

    const Listing named =
        capture({"--load", server.address("/named.html"), "--inventory", "--settle", "1"});
    ASSERT_EQ(named.exitCode, 0);
    ASSERT_EQ(named.pictures.size(), 1) << named.output.toStdString();
    EXPECT_EQ(named.pictures[0].value("found").toArray(), (QJsonArray{"meta", "network"}));
}

// Only what the live document uses, resolved against its base, and only requests that gave a
// picture: what the capture's lists take from the markup's text is no row.
TEST_F(CaptureInventoryTest, ListsOnlyPicturesTheDocumentUsesOrThatCame)
{
    server.serve(
        "/based.html",
        "<head><base href=\"/pictures/\"></head><body><img src=\"img.png\" alt=\"based\">\n"
        "<p><a href=\"/blog/speak-freely\">a page</a> beside photo.jpg</p>\n"
        "<a href=\"linked.bmp?size=full&amp;v=2\">full size</a>\n"
        "<script>new Image().src = '/missing.png';</script></body>");
    const Listing run =
        capture({"--load", server.address("/based.html"), "--inventory", "--settle", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    QStringList urls;
    for (const QJsonObject& picture : run.pictures)
        urls += picture.value("url").toString();
    EXPECT_EQ(urls.join('\n').toStdString(),
              QStringList({server.address("/pictures/img.png"),
                           server.address("/pictures/linked.bmp?size=full&v=2")})
                  .join('\n')
                  .toStdString());
    EXPECT_EQ(pictureAt(run, server.address("/pictures/img.png")).value("found").toArray(),
              (QJsonArray{"img", "network"}));
}

TEST_F(CaptureInventoryTest, ALongDataAddressThatManyElementsShareIsListedOnce)
{
    constexpr int kElements = 300;
    const QByteArray address = "data:image/png;base64," + QByteArray(2 * 1024 * 1024, 'A');
    QByteArray page = "<style>.shared { background-image: url(\"" + address + "\") }</style><body>";
    for (int i = 0; i < kElements; ++i)
        page += "<div class=\"shared\">x</div>";
    server.serve("/shared.html", page);

    const Listing run = capture({"--load", server.address("/shared.html"), "--inventory"});
    ASSERT_EQ(run.exitCode, 0) << run.output.left(2000).toStdString();
    ASSERT_EQ(run.pictures.size(), 1) << run.output.left(2000).toStdString();
    const QJsonObject shared = run.pictures[0];
    EXPECT_TRUE(shared.value("url").toString().startsWith("data:image/png;base64,AAAA"));
    EXPECT_EQ(shared.value("found").toArray(), (QJsonArray{"css", "data"}));
    EXPECT_EQ(shared.value("count").toInt(), kElements);
}

TEST_F(CaptureInventoryTest, MisuseIsRefused)
{
    EXPECT_EQ(capture({"--inventory"}).exitCode, 2);
    EXPECT_EQ(capture({"--load", server.address("/index.html"), "--settle", "2"}).exitCode, 2);
    EXPECT_EQ(capture({"--load", server.address("/index.html"), "--inventory", "--settle", "-1"})
                  .exitCode,
              2);
    EXPECT_TRUE(QDir(workDir.path()).isEmpty());
}

} // namespace
} // namespace varrow::testing
