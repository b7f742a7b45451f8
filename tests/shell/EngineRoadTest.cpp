// The road of one page on the real browser engine: served from 127.0.0.1, loaded in the browser
// view, captured, and shown in the Source Code and Images views.
#include "platform/desktop/TabStrip.h"
#include "tests/shell/EngineFixture.h"
#include "tests/support/Controls.h"
#include "tests/support/ImageListFields.h"
#include "tests/support/PageScript.h"

#include <QBuffer>
#include <QImage>

namespace varrow::testing
{
namespace
{

const QByteArray kPage = R"(<!DOCTYPE html><html><head><title>Road</title>
<link rel="icon" href="head-only.png"></head>
<body><h1>Pictures</h1><img src="pic.png" alt="p"><a href="/other/big.jpg">big</a></body></html>)";

// A picture of `size` in one colour, as PNG bytes; written to `path` when one is given.
QByteArray png(const QSize& size, Qt::GlobalColor colour, const QString& path = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    if (!path.isEmpty()) {
        EXPECT_TRUE(image.save(path)) << path.toStdString();
    }
    return bytes;
}

class EngineRoadTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        server.serve("/dir/page.html", kPage);
        server.serve("/dir/second.html", "<html><body><p>second</p></body></html>");
        server.serve("/dir/drawing.svg",
                     "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>",
                     "image/svg+xml");
        EngineFixture::SetUp();
    }

    // The natural width of every picture of the gallery view once it shows `count` pictures and
    // each has loaded or failed; 0 for a picture the view could not show.
    std::vector<int> galleryWidths(int count)
    {
        const QString script =
            QString("Array.from(document.images).length === %1 &&"
                    " Array.from(document.images).every((i) => i.complete)"
                    " ? Array.from(document.images).map((i) => i.naturalWidth) : null")
                .arg(count);
        QVariantList widths;
        const bool shown = QTest::qWaitFor(
            [&] {
                widths = runInPage(control<BrowserControl>(*window, "wb2").view(), script).toList();
                return !widths.isEmpty();
            },
            kPatienceMs);
        EXPECT_TRUE(shown) << "the gallery never finished showing " << count << " pictures";
        std::vector<int> naturalWidths;
        for (const QVariant& width : widths)
            naturalWidths.push_back(width.toInt());
        return naturalWidths;
    }
};

TEST_F(EngineRoadTest, ALoadedPageIsCapturedAndShownInTheOtherViews)
{
    go(server.address("/dir/page.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !namesOf(window->imageLists()[ImageLists::kEmbeddedImages]).empty(); },
        kPatienceMs));

    EXPECT_EQ(addressesOf(window->imageLists()[ImageLists::kEmbeddedImages]),
              std::vector<std::string>{server.address("/dir/pic.png").toStdString()});
    EXPECT_EQ(addressesOf(window->imageLists()[ImageLists::kLinkedImages]),
              std::vector<std::string>{server.address("/other/big.jpg").toStdString()});
    const std::string source = workFile(WorkFiles::kSourcePage);
    EXPECT_NE(source.find("pic.png</a>"), std::string::npos);
    EXPECT_EQ(source.find("head-only"), std::string::npos); // the head is not captured
    EXPECT_NE(workFile(WorkFiles::kImagePage).find("/dir/pic.png"), std::string::npos);
    EXPECT_EQ(workFile(WorkFiles::kMarkup), "\r\n");
    EXPECT_EQ(control<QLineEdit>(*window, "txtUrl").text(), server.address("/dir/page.html"));

    const auto shows = [&](int view, std::string_view name) {
        const QUrl expected = QUrl::fromLocalFile(
            QString::fromStdString(WorkFiles(directory()).pathOf(name).string()));
        return QTest::qWaitFor([&] { return viewAt(view).LocationURL() == expected.toString(); },
                               kPatienceMs);
    };
    EXPECT_TRUE(shows(1, WorkFiles::kSourcePage));
    EXPECT_TRUE(shows(2, WorkFiles::kImagePage));
}

TEST_F(EngineRoadTest, BackAndForwardMoveAcrossRealPages)
{
    go(server.address("/dir/page.html"));
    ASSERT_TRUE(browserShows(server.address("/dir/page.html")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return control<BrowserControl>(*window, "wb0").LocationName() == "Road"; },
        kPatienceMs));
    go(server.address("/dir/second.html"));
    ASSERT_TRUE(browserShows(server.address("/dir/second.html")));

    control<QToolButton>(*window, "cmbBack").click();
    EXPECT_TRUE(browserShows(server.address("/dir/page.html")));
    control<QToolButton>(*window, "cmdForward").click();
    EXPECT_TRUE(browserShows(server.address("/dir/second.html")));
    control<QToolButton>(*window, "cmdForward")
        .click(); // no later page: nothing happens, nothing is thrown
    QTest::qWait(200);
    EXPECT_EQ(control<BrowserControl>(*window, "wb0").LocationURL(),
              server.address("/dir/second.html"));
}

TEST_F(EngineRoadTest, ADocumentWithoutABodyGivesEmptyPages)
{
    go(server.address("/dir/page.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !namesOf(window->imageLists()[ImageLists::kEmbeddedImages]).empty(); },
        kPatienceMs));
    go(server.address("/dir/drawing.svg"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return workFile(WorkFiles::kSourcePage) == "\r\n"; }, kPatienceMs));
    EXPECT_EQ(workFile(WorkFiles::kImagePage), "\r\n");
    EXPECT_TRUE(addressesOf(window->imageLists()[ImageLists::kEmbeddedImages]).empty());
}

TEST_F(EngineRoadTest, TheGalleryOfAWebPageShowsItsWebAndDataPicturesButNoLocalFile)
{
    LocalWebServer other(QHostAddress("127.0.0.2"));
    ASSERT_TRUE(other.isListening());
    server.serve("/dir/red.png", png({30, 20}, Qt::red), "image/png");
    other.serve("/blue.png", png({31, 20}, Qt::blue), "image/png");
    other.serve("/green.png", png({32, 20}, Qt::green), "image/png");
    QTemporaryDir localDir;
    const QString localPicture = localDir.filePath("local.png");
    png({33, 20}, Qt::yellow, localPicture);
    const QString otherHost = other.address("").mid(QString("http:").size()); // "//127.0.0.2:PORT"
    server.serve("/dir/gallery.html",
                 QString("<body><img src='red.png'><img src='http:%1/blue.png'>"
                         "<img src='%1/green.png'><img src='data:image/png;base64,%2'>"
                         "<img src='%3'></body>")
                     .arg(otherHost, QString::fromLatin1(png({34, 20}, Qt::cyan).toBase64()),
                          QUrl::fromLocalFile(localPicture).toString())
                     .toUtf8());

    go(server.address("/dir/gallery.html"));
    control<TabStrip>(*window, "TabStrip1").selectTab(3); // Images
    // Served from two hosts, protocol-relative and inline pictures show; the local one does not.
    EXPECT_EQ(galleryWidths(5), (std::vector<int>{30, 31, 32, 34, 0}));
}

TEST_F(EngineRoadTest, TheGalleryOfALocalPageShowsItsLocalPicturesAndOpensOneOnAClick)
{
    QTemporaryDir pageDir, elsewhere;
    png({35, 20}, Qt::red, pageDir.filePath("beside.png"));
    png({36, 20}, Qt::blue, elsewhere.filePath("away.png"));
    const QString away = QUrl::fromLocalFile(elsewhere.filePath("away.png")).toString();
    QFile page(pageDir.filePath("page.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(QString("<body><img src='beside.png'><img src='%1'></body>").arg(away).toUtf8());
    page.close();

    go(page.fileName());
    control<TabStrip>(*window, "TabStrip1").selectTab(3); // Images
    EXPECT_EQ(galleryWidths(2), (std::vector<int>{35, 36}));

    runInPage(control<BrowserControl>(*window, "wb2").view(), "document.links[1].click()");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return control<BrowserControl>(*window, "wb2").LocationURL() == away; },
        kPatienceMs));
}

} // namespace
} // namespace varrow::testing
