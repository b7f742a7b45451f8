// The Source Code and Images tabs while the browser view's page is still loading, on the real
// engine: what the status bar says, which captures reload the generated views, and where they
// stay scrolled.
#include "platform/desktop/StatusBar.h"
#include "tests/shell/EngineFixture.h"
#include "tests/support/Controls.h"
#include "tests/support/PageScript.h"

#include <QSignalSpy>

namespace varrow::testing
{
namespace
{

// A picture that keeps the page's load from completing until after the early capture at
// WebEngineBrowser::kEarlyCaptureDelayMs, and a page long enough to scroll.
constexpr int kPictureLateMs = WebEngineBrowser::kEarlyCaptureDelayMs + 2000;

QByteArray longPage(const QByteArray& script)
{
    QByteArray page = "<html><body><img src='late.png'>";
    for (int line = 0; line < 300; ++line)
        page += "<p>line " + QByteArray::number(line) + "</p>\n";
    return page + script + "</body></html>";
}

class EarlyCaptureEngineTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        server.serveSlowly("/late.png", "\x89PNG\r\n\x1a\n", 4, kPictureLateMs, "image/png");
        EngineFixture::SetUp();
        // The home page's capture comes first.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return control<BrowserControl>(*window, "wb1").LocationURL().endsWith("source.htm");
            },
            kPatienceMs));
        QTest::qWait(300);
    }

    bool viewShows(int index, const QString& text)
    {
        return QTest::qWaitFor([&] { return renderedText(viewAt(index).view()).contains(text); },
                               kPatienceMs);
    }
    double scrollOf(int index)
    {
        return runInPage(viewAt(index).view(), "window.scrollY").toDouble();
    }
    // The engine's own report: the page's load event has run.
    bool loadCompleted()
    {
        return runInPage(control<BrowserControl>(*window, "wb0").view(), "document.readyState")
                   .toString() == "complete";
    }

    LocalWebServer holding; // accepts every request and never answers
};

TEST_F(EarlyCaptureEngineTest, TheStatusBarSaysWhatTheBrowserViewDoesWhileItLoads)
{
    holding.holdEveryRequest();
    server.serve("/held.html", "<html><body><p>own picture</p><img src='" +
                                   holding.address("/never.png").toUtf8() + "'></body></html>");
    QSignalSpy status(&control<BrowserControl>(*window, "wb0"), &BrowserControl::StatusTextChange);
    go(server.address("/held.html"));
    EXPECT_TRUE(viewShows(1, "never.png"));
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.first().first().toString(), "Opening " + server.address("/held.html") + "…");
    EXPECT_TRUE(control<StatusBar>(*window, "sb1").panelText(1).startsWith("Loading pictures… "))
        << control<StatusBar>(*window, "sb1").panelText(1).toStdString();
    EXPECT_FALSE(loadCompleted());
}

TEST_F(EarlyCaptureEngineTest, AnUnchangedBodyDoesNotReloadTheGeneratedViewsWhenTheLoadCompletes)
{
    server.serve("/same.html", longPage(""));
    go(server.address("/same.html"));
    ASSERT_TRUE(viewShows(1, "late.png"));
    ASSERT_TRUE(viewShows(2, "late.png"));
    ASSERT_FALSE(loadCompleted());
    // A mark on each generated view's document, which a reload would take away.
    for (int index : {1, 2})
        runInPage(viewAt(index).view(), "window.shownBeforeCompletion = true");

    ASSERT_TRUE(QTest::qWaitFor([&] { return loadCompleted(); }, kPatienceMs));
    QTest::qWait(1000); // the capture at completion, and any reload it asks for
    for (int index : {1, 2})
        EXPECT_TRUE(
            runInPage(viewAt(index).view(), "window.shownBeforeCompletion === true").toBool())
            << "view " << index;
}

TEST_F(EarlyCaptureEngineTest, TheSourceViewKeepsItsPlaceWhenTheBodyChangesAfterTheLoad)
{
    server.serve("/changing.html",
                 longPage("<script>window.addEventListener('load', () => document.body"
                          ".insertAdjacentHTML('beforeend', '<p>changed after load</p>'));"
                          "</script>"));
    go(server.address("/changing.html"));
    ASSERT_TRUE(viewShows(1, "line 299"));
    ASSERT_FALSE(loadCompleted());
    window->selectView(MainWindow::SourceView);
    runInPage(control<BrowserControl>(*window, "wb1").view(), "window.scrollTo(0, 600)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return scrollOf(1) == 600; }, kPatienceMs));

    EXPECT_TRUE(viewShows(1, "changed after load"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return scrollOf(1) == 600; }, 2000)) << scrollOf(1);
}

TEST_F(EarlyCaptureEngineTest, TheSourceViewOfAnotherPageStartsAtItsTop)
{
    server.serve("/first.html", longPage(""));
    server.serve("/second.html", longPage("<p>second page</p>"));
    go(server.address("/first.html"));
    ASSERT_TRUE(viewShows(1, "line 299"));
    window->selectView(MainWindow::SourceView);
    runInPage(control<BrowserControl>(*window, "wb1").view(), "window.scrollTo(0, 600)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return scrollOf(1) == 600; }, kPatienceMs));

    go(server.address("/second.html"));
    EXPECT_TRUE(viewShows(1, "second page"));
    QTest::qWait(500); // where the engine would put it
    EXPECT_EQ(scrollOf(1), 0);
}

} // namespace
} // namespace varrow::testing
