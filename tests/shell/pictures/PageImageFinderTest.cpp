// The picture finder on the real browser engine, against the fixture site (one picture of every
// kind, each of its own size) and small pages served from 127.0.0.1.
#include "shell/pictures/PageImageFinder.h"

#include "capture/CapturePage.h"
#include "platform/browser/LocalFileGuard.h"
#include "platform/browser/WebEngineBrowser.h"
#include "tests/support/ImageListFields.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/PageScript.h"
#include "tests/support/ServedFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <gtest/gtest.h>
#include <optional>

namespace varrow::testing
{
namespace
{

constexpr int kPatienceMs = 30000;
const QString kInlinePicture =
    QStringLiteral("data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAIAAAASFvFNAAAAEElEQVR42"
                   "mM4IScHQQxwFgBBAAYZ1ETuGQAAAABJRU5ErkJggg==");

class PageImageFinderTest : public ::testing::Test
{
public:
    void SetUp() override
    {
        serveFolder(server, VARROW_PAGE_IMAGES_SITE);
        window.resize(1024, 768);
        browser = new WebEngineBrowser(&window, BrowserRole::Browsing);
        finder = new PageImageFinder(*browser); // from the first request on
        // The browser's own guard reports the page's requests to the finder.
        LoopbackOnly::installOnPage(*browser->page(),
                                    *browser->page()->findChild<LocalFileGuard*>());
        browser->view()->resize(window.size());
        window.show();
    }

    // Opens `path` of the server and waits until it has loaded and the browser has taken its
    // capture snapshot and, when the page names one, until its icon has loaded.
    void open(const QString& path, bool withIcon = false)
    {
        bool loaded = false;
        bool complete = false;
        const auto loading = QObject::connect(browser->page(), &QWebEnginePage::loadFinished,
                                              [&] { loaded = true; });
        const auto capturing = QObject::connect(browser, &BrowserControl::DownloadComplete,
                                                [&] { complete = loaded; });
        browser->Navigate(server.address(path));
        EXPECT_TRUE(QTest::qWaitFor([&] { return complete; }, kPatienceMs)) << path.toStdString();
        QObject::disconnect(loading);
        QObject::disconnect(capturing);
        if (withIcon) {
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return !browser->page()->icon().isNull(); }, kPatienceMs));
        }
    }

    // What the finder lists after `start`, waiting for its answer.
    PageImageInventory find(PageImageInventory start = {}, int patienceMs = kPatienceMs)
    {
        std::optional<PageImageInventory> found;
        finder->find(std::move(start), [&](PageImageInventory inventory, const QString& problem) {
            EXPECT_EQ(problem, QString());
            found = inventory;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return found.has_value(); }, patienceMs));
        return found.value_or(PageImageInventory{});
    }

    std::string address(const QString& path) const { return server.address(path).toStdString(); }

    // The addresses of the inventory, in its order.
    static std::vector<std::string> addresses(const PageImageInventory& inventory)
    {
        std::vector<std::string> urls;
        for (const PageImage& image : inventory.images())
            urls.push_back(image.url);
        return urls;
    }

    LocalWebServer server;
    QWidget window;
    WebEngineBrowser* browser = nullptr;
    PageImageFinder* finder = nullptr;
};

// One expected entry: the address below the server's root (or a data: address), how it was
// found, its natural size, its byte count (-1: not known) and how many places use it.
struct Expected {
    QString path;
    std::vector<std::string_view> found;
    int width, height;
    std::int64_t bytes;
    int count;
    std::string alt;
};

// The fixture site's pictures in the live document's order, then what only the network saw.
const std::vector<Expected> kSitePictures = {
    {"/pictures/og.png", {"meta"}, 0, 0, -1, 1, ""},
    {"/pictures/twitter.png", {"meta"}, 0, 0, -1, 1, ""},
    {"/pictures/icon.png", {"meta", "network"}, 0, 0, 111, 1, ""},
    {"/pictures/img.png", {"img", "network"}, 10, 11, 75, 1, "plain"},
    {"/pictures/srcset-1x.png", {"img", "srcset", "network"}, 12, 13, 76, 1, "with srcset"},
    {"/pictures/w_424,c_limit/srcset-2x.png", {"srcset"}, 0, 0, -1, 1, "with srcset"},
    {"/pictures/picture-wide.png", {"picture"}, 0, 0, -1, 1, "in a picture"},
    {"/pictures/picture-img.png", {"img", "network"}, 18, 19, 81, 1, "in a picture"},
    {"/pictures/lazy-src.png", {"lazy"}, 0, 0, -1, 1, "lazy"},
    {"/pictures/lazy-srcset.png", {"lazy"}, 0, 0, -1, 1, ""},
    {"/pictures/lazy-original.png", {"lazy"}, 0, 0, -1, 1, ""},
    {"/pictures/lazy-lazy-src.png", {"lazy"}, 0, 0, -1, 1, ""},
    {"/pictures/lazy-bg.png", {"lazy"}, 0, 0, -1, 1, ""},
    {"/pictures/css-rule.png", {"css", "network"}, 0, 0, 97, 1, ""},
    {"/pictures/style-attribute.png", {"css", "network"}, 0, 0, 98, 1, ""},
    {"/pictures/before.png", {"css", "network"}, 0, 0, 101, 1, ""},
    {"/pictures/after.png", {"css", "network"}, 0, 0, 103, 1, ""},
    {"/pictures/linked.bmp", {"linked"}, 0, 0, -1, 1, ""},
    {"/pictures/poster.png", {"poster", "network"}, 0, 0, 113, 1, ""},
    {"/pictures/svg.png", {"svg", "network"}, 0, 0, 115, 1, ""},
    {"/pictures/frame.png", {"img", "frame", "network"}, 50, 51, 118, 1, "in the frame"},
    {"/pictures/shadow.png", {"img", "network"}, 54, 55, 124, 1, "in a shadow tree"},
    {kInlinePicture, {"img", "data"}, 3, 2, 73, 1, "inline"},
    {"/pictures/network.png", {"network"}, 0, 0, 121, 0, ""},
};

void expectEntries(const PageImageInventory& inventory, const std::vector<Expected>& expected,
                   const LocalWebServer& server)
{
    ASSERT_EQ(inventory.images().size(), expected.size())
        << ::testing::PrintToString(PageImageFinderTest::addresses(inventory));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Expected& e = expected[i];
        const PageImage& image = inventory.images()[i];
        const std::string url =
            (e.path.startsWith("data:") ? e.path : server.address(e.path)).toStdString();
        SCOPED_TRACE(url);
        EXPECT_EQ(image.url, url);
        EXPECT_EQ(image.found.labels(), e.found);
        EXPECT_EQ(image.width, e.width);
        EXPECT_EQ(image.height, e.height);
        EXPECT_EQ(image.bytes, e.bytes < 0 ? std::nullopt : std::optional<std::int64_t>(e.bytes));
        EXPECT_EQ(image.count, e.count);
        EXPECT_EQ(image.alt, e.alt);
    }
}

TEST_F(PageImageFinderTest, FindsEveryKindOfPictureWithHowItWasFound)
{
    open("/index.html", /*withIcon=*/true);
    expectEntries(find(), kSitePictures, server);
}

TEST_F(PageImageFinderTest, FindsThemWithThePageScriptsOffSaveWhatOnlyAScriptLoads)
{
    browser->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    open("/index.html", /*withIcon=*/true);
    std::vector<Expected> expected = kSitePictures;
    expected.pop_back(); // the page's script never ran
    expectEntries(find(), expected, server);
}

TEST_F(PageImageFinderTest, TheCaptureSeesThePageAsBeforeTheFinderRan)
{
    open("/index.html");
    const QString markupScript = QStringLiteral("document.body.outerHTML");
    const QString before = runInPage(browser->view(), markupScript).toString();
    ASSERT_FALSE(before.isEmpty());
    find();
    EXPECT_EQ(runInPage(browser->view(), markupScript).toString(), before);
    EXPECT_EQ(QString::fromStdString(browser->BodyMarkup().value_or("")), before);

    QTemporaryDir dir;
    ImageLists lists;
    const CaptureResult result = CapturePage(WorkFiles(dir.path().toStdString()),
                                             before.toStdString(), address("/index.html"), lists);
    EXPECT_TRUE(result.failures.empty());
    const auto at = [&](const char* path) { return address(path); };
    EXPECT_EQ(addressesOf(lists[ImageLists::kEmbeddedImages]),
              (std::vector<std::string>{
                  at("/pictures/img.png"), at("/pictures/srcset-1x.png"),
                  at("/pictures/picture-img.png"), at("/pictures/lazy-src.png"),
                  at("/pictures/lazy-lazy-src.png"), kInlinePicture.toStdString()}));
    EXPECT_EQ(addressesOf(lists[ImageLists::kLinkedImages]),
              std::vector<std::string>{at("/pictures/linked.bmp")});
}

TEST_F(PageImageFinderTest, ANewPageStartsAFreshListOfRequests)
{
    server.serve("/one.html", "<head><link rel=\"icon\" href=\"pictures/icon.png\"></head>"
                              "<body><img src=\"pictures/img.png\" alt=\"one\"></body>");
    open("/index.html");
    bool changed = false;
    QObject::connect(finder, &PageImageFinder::pageChanged, [&] { changed = true; });
    open("/one.html", /*withIcon=*/true);
    EXPECT_TRUE(changed);
    const PageImageInventory inventory = find();
    EXPECT_EQ(addresses(inventory), (std::vector<std::string>{address("/pictures/icon.png"),
                                                              address("/pictures/img.png")}));
    EXPECT_TRUE(inventory.images().at(1).found.contains(FoundBy::Network));
    EXPECT_EQ(inventory.images().at(1).alt, "one");
}

TEST_F(PageImageFinderTest, ReadsSrcsetAndCssAddressesAsTheEngineDoes)
{
    server.serve("/edge.html",
                 R"html(<!DOCTYPE html><html><head><base href="/base/"></head><body>
<img srcset="a.png 1x,b.png 2x, pic,a.png 3x ,  c.png,, d.png, e.png 100w (odd, descriptor) , f.png">
<div style="background-image: linear-gradient(red, blue), url(m1.png), url('m 2.png'), url(&quot;q\&quot;.png&quot;)"></div>
<div data-bg="url('g.png')"></div>
<img src=" " data-src="javascript:alert(1)">
</body></html>)html");
    open("/edge.html");
    const auto at = [&](const char* path) { return address(QString("/base/") + path); };
    // What the document names; the engine may also have asked for the site's default icon.
    const PageImageInventory found = find();
    std::vector<std::string> named;
    for (const PageImage& image : found.images())
        if (!image.found.contains(FoundBy::Network) || image.count > 0)
            named.push_back(image.url);
    EXPECT_EQ(named,
              (std::vector<std::string>{at("a.png"), at("b.png"), at("pic,a.png"), at("c.png"),
                                        at("d.png"), at("e.png"), at("f.png"), at("m1.png"),
                                        at("m%202.png"), at("q%22.png"), at("g.png")}));
}

TEST_F(PageImageFinderTest, ListsEveryLinkWhosePathEndsInAPictureExtension)
{
    server.serve("/links.html", R"html(<!DOCTYPE html><html><head><base href="/base/"></head><body>
<a href="img/full.png">full size</a>
<a href="UPPER.JPG?ssl=1#top">query and fragment</a>
<a href="/wiki/File:Map.svg">a wiki's file page</a>
<map name="m"><area href="shape.webp" shape="rect" coords="0,0,1,1"></map>
<a href="a.avif">.</a><a href="b.jfif">.</a><a href="c.TIFF">.</a><a href="d.heic">.</a>
<a href="e.jxl">.</a><a href="f.ico">.</a><a href="g.apng">.</a><a href="h.gif">.</a>
<a href="x.png?a=1&amp;b=2">entity</a>
<a href="page.html?file=x.png">a page with a picture's name in its query</a>
<a href="page.html#x.png">and in its fragment</a>
<a href="https://h.test/blog/speak-freely">words</a> beside picture.png
<a href="javascript:go('x.png')">script</a><a href="mailto:someone@x.png">mail</a><a>none</a>
</body></html>)html");
    open("/links.html");
    const auto at = [&](const char* path) { return address(QString("/base/") + path); };
    const PageImageInventory found = find();
    EXPECT_EQ(addresses(found),
              (std::vector<std::string>{
                  at("img/full.png"), at("UPPER.JPG?ssl=1#top"), address("/wiki/File:Map.svg"),
                  at("shape.webp"), at("a.avif"), at("b.jfif"), at("c.TIFF"), at("d.heic"),
                  at("e.jxl"), at("f.ico"), at("g.apng"), at("h.gif"), at("x.png?a=1&b=2")}));
    for (const PageImage& image : found.images()) {
        EXPECT_EQ(image.found.labels(), std::vector<std::string_view>{"linked"}) << image.url;
        EXPECT_EQ(image.count, 1) << image.url;
    }
}

// What a script asks for is a picture of the page only when a picture came.
TEST_F(PageImageFinderTest, ARequestThatGaveNoPictureIsNotListed)
{
    server.serve("/page.html", "<p>a page</p>");
    server.serve("/asks.html",
                 "<body><p>asks</p><script>"
                 "for (const path of ['/missing.png', '/page.html', '/pictures/network.png',"
                 " 'http://127.0.0.1:1/refused.png']) new Image().src = path;"
                 "</script></body>");
    open("/asks.html");
    const std::string picture = address("/pictures/network.png");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return runInPage(browser->view(),
                             "performance.getEntriesByType('resource').length >= 3")
                .toBool();
        },
        kPatienceMs));
    const PageImageInventory found = find();
    ASSERT_EQ(addresses(found), std::vector<std::string>{picture});
    EXPECT_EQ(found.images()[0].found.labels(), std::vector<std::string_view>{"network"});
}

// A page on this machine: its pictures' byte counts and types come from their files, also for
// the pictures that it only names.
TEST_F(PageImageFinderTest, PicturesInLocalFilesCarryTheirFilesSizeAndType)
{
    const QString site = QStringLiteral(VARROW_PAGE_IMAGES_SITE);
    bool complete = false;
    QObject::connect(browser, &BrowserControl::DownloadComplete, [&] { complete = true; });
    browser->Navigate(QUrl::fromLocalFile(site + "/index.html").toString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return complete; }, kPatienceMs));

    const PageImageInventory inventory = find();
    std::size_t files = 0;
    for (const PageImage& image : inventory.images()) {
        const QFileInfo file(QUrl(QString::fromStdString(image.url)).toLocalFile());
        if (!file.isFile())
            continue;
        SCOPED_TRACE(image.url);
        ++files;
        EXPECT_EQ(image.bytes, file.size());
        EXPECT_EQ(image.type, file.suffix() == "bmp" ? "image/bmp" : "image/png");
    }
    EXPECT_GE(files, 20u);
    const PageImage* linked =
        inventory.find(QUrl::fromLocalFile(site + "/pictures/linked.bmp").toString().toStdString());
    ASSERT_NE(linked, nullptr);
    EXPECT_EQ(linked->found.labels(), std::vector<std::string_view>{"linked"});
}

TEST_F(PageImageFinderTest, OnlyTheIconThePageNamesIsListedOfTheEnginesIconRequests)
{
    server.serve("/plain.html", "<body><img src=\"pictures/img.png\"></body>");
    open("/plain.html");
    QTest::qWait(1000); // the engine asks for "/favicon.ico" after the load
    EXPECT_EQ(addresses(find()), std::vector<std::string>{address("/pictures/img.png")});

    // A request of the page's own for that address counts as any other.
    server.serve("/uses.html", "<body><img src=\"/favicon.ico\"></body>");
    open("/uses.html");
    const PageImageInventory uses = find();
    ASSERT_EQ(addresses(uses), std::vector<std::string>{address("/favicon.ico")});
    EXPECT_EQ(uses.images()[0].found.labels(), (std::vector<std::string_view>{"img", "network"}));
}

TEST_F(PageImageFinderTest, ALongDataAddressThatManyElementsShareIsOneEntry)
{
    constexpr int kElements = 300;
    const QByteArray data = "data:image/png;base64," + QByteArray(2 * 1024 * 1024, 'A');
    QByteArray page = "<style>.shared { background-image: url(\"" + data +
                      "\") }</style>"
                      "<link rel=\"icon\" href=\"pictures/icon.png\"><body>";
    for (int i = 0; i < kElements; ++i)
        page += "<div class=\"shared\">x</div>";
    server.serve("/shared.html", page);
    open("/shared.html", /*withIcon=*/true);
    // The engine takes its time to give each element's style with the long address.
    const PageImageInventory found = find({}, 4 * kPatienceMs);
    ASSERT_EQ(addresses(found),
              (std::vector<std::string>{address("/pictures/icon.png"), data.toStdString()}));
    EXPECT_EQ(found.images()[1].count, kElements);
    EXPECT_EQ(found.images()[1].found.labels(), (std::vector<std::string_view>{"css", "data"}));
}

TEST_F(PageImageFinderTest, AFinderThatFailsSaysWhy)
{
    open("/index.html");
    // Something in the application's world that the finder's script cannot work with.
    runInPage(browser->view(), "window.__varrowFindings = 1");
    std::optional<QString> problem;
    finder->find({}, [&](PageImageInventory, const QString& why) { problem = why; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return problem.has_value(); }, kPatienceMs));
    EXPECT_TRUE(problem->startsWith("TypeError: ")) << problem->toStdString();
}

TEST_F(PageImageFinderTest, GivesNoAnswerOnceThePageIsGone)
{
    open("/index.html");
    bool answered = false;
    finder->find({}, [&](PageImageInventory, const QString&) { answered = true; });
    delete browser->view(); // and with it the page and its finder
    QTest::qWait(1000);
    EXPECT_FALSE(answered);
}

} // namespace
} // namespace varrow::testing
