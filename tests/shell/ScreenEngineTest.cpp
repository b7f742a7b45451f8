// What the person sees on the real browser engine: the banner strip, the status bar's messages,
// the address box while typing, and the generated views of a page that never finishes loading.
#include "platform/desktop/StatusBar.h"
#include "tests/shell/EngineFixture.h"
#include "tests/support/Controls.h"
#include "tests/support/PageScript.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <filesystem>

namespace varrow::testing
{
namespace
{

const QByteArray kPicturePage =
    "<html><head><title>Pictures</title></head>"
    "<body><h1>Pictures</h1><img src='first-picture.png'></body></html>";

class ScreenEngineTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        server.serve("/first.html", kPicturePage);
        EngineFixture::SetUp();
    }

    QString sourceViewText()
    {
        return renderedText(control<BrowserControl>(*window, "wb1").view());
    }
    bool sourceViewShows(const QString& text)
    {
        return QTest::qWaitFor([&] { return sourceViewText().contains(text); }, kPatienceMs);
    }
};

TEST_F(ScreenEngineTest, TheEarlyCaptureShowsTheBodyOfAPageWhosePicturesNeverFinish)
{
    server.serve("/slow.html", "<html><body><p>slow page</p><img src='held.png'></body></html>");
    server.serveSlowly("/held.png", "never all of it", 4, -1, "image/png");
    go(server.address("/slow.html"));
    EXPECT_TRUE(sourceViewShows("held.png"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return renderedText(control<BrowserControl>(*window, "wb2").view())
                .contains(server.address("/held.png"));
        },
        kPatienceMs));
}

TEST_F(ScreenEngineTest, APageAnsweredAfterTheEarlyCaptureDelayIsStillCapturedEarly)
{
    // Until the answer comes the engine still shows the previous document; the early capture
    // waits for the page's own.
    server.serveLate("/late.html", "<html><body><p>late</p><img src='held.png'></body></html>",
                     WebEngineBrowser::kEarlyCaptureDelayMs + 1500);
    server.serveSlowly("/held.png", "never all of it", 4, -1, "image/png");
    go(server.address("/late.html"));
    EXPECT_TRUE(sourceViewShows("held.png"));
}

TEST_F(ScreenEngineTest, TheViewsKeepThePreviousPageWhileTheNextIsStillBeingParsed)
{
    go(server.address("/first.html"));
    ASSERT_TRUE(sourceViewShows("first-picture.png"));

    // The markup's second half comes well after the early capture; its picture never comes.
    const QByteArray markup = "<html><body><p>arriving</p>" + QByteArray(2048, ' ') +
                              "<img src='late-picture.png'><img src='held.png'></body></html>";
    constexpr int kSecondHalfMs = WebEngineBrowser::kEarlyCaptureDelayMs + 3000;
    server.serveSlowly("/arriving.html", markup, markup.indexOf("<img"), kSecondHalfMs);
    server.serveSlowly("/held.png", "never all of it", 4, -1, "image/png");
    QElapsedTimer sinceGo;
    sinceGo.start();
    go(server.address("/arriving.html"));
    QTest::qWait(WebEngineBrowser::kEarlyCaptureDelayMs + 1500 -
                 static_cast<int>(sinceGo.elapsed()));
    ASSERT_LT(sinceGo.elapsed(), kSecondHalfMs);
    EXPECT_TRUE(sourceViewText().contains("first-picture.png")) << sourceViewText().toStdString();

    EXPECT_TRUE(sourceViewShows("late-picture.png"));
    EXPECT_TRUE(sourceViewText().contains("held.png"));
}

TEST_F(ScreenEngineTest, ACaptureMessageOutlastsTheGeneratedViewsLoads)
{
    // A folder where the source page belongs: writing it fails.
    const std::filesystem::path sourcePage = WorkFiles(directory()).pathOf(WorkFiles::kSourcePage);
    std::filesystem::remove(sourcePage);
    std::filesystem::create_directory(sourcePage);

    QSignalSpy source(&control<BrowserControl>(*window, "wb1"), &BrowserControl::DownloadComplete);
    QSignalSpy images(&control<BrowserControl>(*window, "wb2"), &BrowserControl::DownloadComplete);
    qsizetype sourceBefore = -1;
    qsizetype imagesBefore = -1;
    // Runs after the window's own handler, once the capture has asked for the two views.
    QObject::connect(&control<BrowserControl>(*window, "wb0"), &BrowserControl::DownloadComplete,
                     window, [&] {
                         sourceBefore = source.count();
                         imagesBefore = images.count();
                     });
    go(server.address("/first.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return sourceBefore >= 0 && source.count() > sourceBefore &&
                   images.count() > imagesBefore;
        },
        kPatienceMs));
    QTest::qWait(500);
    EXPECT_TRUE(control<StatusBar>(*window, "sb1").panelText(1).startsWith("Capture incomplete: "))
        << control<StatusBar>(*window, "sb1").panelText(1).toStdString();

    // The next page load ends it.
    std::filesystem::remove(sourcePage);
    server.serve("/second.html", "<html><body><p>second</p></body></html>");
    go(server.address("/second.html"));
    EXPECT_TRUE(sourceViewShows("second"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return !control<StatusBar>(*window, "sb1")
                        .panelText(1)
                        .startsWith("Capture incomplete");
        },
        kPatienceMs));
}

TEST_F(ScreenEngineTest, TypedTextSurvivesAPageThatRetitlesItselfUntilEscapeOrEnter)
{
    server.serve("/ticking.html", "<html><head><title>tick</title></head><body><script>"
                                  "let n = 0; setInterval(() => { document.title = 'tick ' + ++n;"
                                  " history.replaceState(null, '', '?n=' + n); }, 100);"
                                  "</script><p>ticking</p></body></html>");
    go(server.address("/ticking.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return control<QLineEdit>(*window, "txtUrl").text().contains("?n="); }, kPatienceMs));

    control<QLineEdit>(*window, "txtUrl").clear();
    QTest::keyClicks(&control<QLineEdit>(*window, "txtUrl"), server.address("/first.html"));
    QTest::qWait(600); // six title and address changes
    EXPECT_EQ(control<QLineEdit>(*window, "txtUrl").text(), server.address("/first.html"));
    EXPECT_TRUE(window->windowTitle().contains("tick "));

    QTest::keyClick(&control<QLineEdit>(*window, "txtUrl"), Qt::Key_Escape);
    const QString restored = control<QLineEdit>(*window, "txtUrl").text();
    EXPECT_TRUE(restored.startsWith(server.address("/ticking.html?n="))) << restored.toStdString();
    // The box follows the page again.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return control<QLineEdit>(*window, "txtUrl").text() != restored; }, kPatienceMs));

    control<QLineEdit>(*window, "txtUrl").selectAll();
    QTest::keyClicks(&control<QLineEdit>(*window, "txtUrl"), server.address("/first.html"));
    QTest::keyClick(&control<QLineEdit>(*window, "txtUrl"), Qt::Key_Return);
    EXPECT_TRUE(sourceViewShows("first-picture.png"));
    EXPECT_EQ(control<BrowserControl>(*window, "wb0").LocationURL(), server.address("/first.html"));
}

} // namespace
} // namespace varrow::testing
