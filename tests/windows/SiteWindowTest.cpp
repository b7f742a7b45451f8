#include "windows/SiteWindow.h"

#include "platform/desktop/StatusBar.h"
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"
#include "windows/HelpWindow.h"

#include <QGroupBox>
#include <QTest>

namespace varrow::testing
{
namespace
{

class SiteWindowTest : public ShellFixture
{
protected:
    SiteWindow& siteWindow() { return program->showSiteWindow(); }
    static FakeBrowser& browser(SiteWindow& window)
    {
        return *static_cast<FakeBrowser*>(&control<BrowserControl>(window, "WebBrowser1"));
    }
    // Opens the main window the way the program does: the splash window's 75th tick.
    MainWindow& startProgram()
    {
        program->start();
        for (int tick = 0; tick < 75; ++tick)
            program->splashWindow()->tick();
        return *program->mainWindow();
    }
};

TEST_F(SiteWindowTest, LoadNamesTheWindowAddsThePanelNavigatesAndMaximises)
{
    SiteWindow& window = siteWindow();
    EXPECT_EQ(window.windowTitle(), "varrow.example");
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelCount(), 2);
    EXPECT_EQ(browser(window).requests, QStringList{"Navigate varrow.example"});
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(SiteWindowTest, OpeningTwiceShowsTheSameWindowWithoutNavigatingAgain)
{
    SiteWindow& first = siteWindow();
    first.hide();
    SiteWindow& second = siteWindow();
    EXPECT_EQ(&first, &second);
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(browser(second).requests, QStringList{"Navigate varrow.example"});
}

TEST_F(SiteWindowTest, BackAndForwardOnAFreshWindowDoNothing)
{
    SiteWindow& window = siteWindow();
    control<QToolButton>(window, "Command4").click();
    control<QToolButton>(window, "Command5").click();
    EXPECT_EQ(browser(window).requests.mid(1), (QStringList{"GoBack", "GoForward"}));
    EXPECT_EQ(browser(window).LocationURL(), "varrow.example");
    EXPECT_TRUE(window.isVisible());

    control<QToolButton>(window, "Command6").click();
    control<QToolButton>(window, "Command7").click();
    EXPECT_EQ(browser(window).requests.mid(3), (QStringList{"Stop", "Refresh"}));
}

TEST_F(SiteWindowTest, EnterInTheAddressBoxBrowsesLikeTheButton)
{
    SiteWindow& window = siteWindow();
    control<QLineEdit>(window, "Text1").setText("127.0.0.2/typed page");
    control<QToolButton>(window, "Command3").click();
    EXPECT_EQ(browser(window).requests.last(), "Navigate 127.0.0.2/typed page");

    control<QLineEdit>(window, "Text1").setText("second");
    QTest::keyClick(&control<QLineEdit>(window, "Text1"), Qt::Key_Return);
    EXPECT_EQ(browser(window).requests.last(), "Navigate second");
    EXPECT_EQ(control<QLineEdit>(window, "Text1").text(), "second");
    QTest::keyClick(&control<QLineEdit>(window, "Text1"), Qt::Key_X);
    EXPECT_EQ(browser(window).requests.last(), "Navigate second");
}

TEST_F(SiteWindowTest, ARefusedAddressShowsInTheStatusBar)
{
    SiteWindow& window = siteWindow();
    browser(window).refuseNavigation = true;
    control<QLineEdit>(window, "Text1").clear();
    control<QToolButton>(window, "Command3").click();
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(1), "refused ");
}

TEST_F(SiteWindowTest, NotificationsFillTheStatusBarAddressAndCaption)
{
    SiteWindow& window = siteWindow();
    FakeBrowser& view = browser(window);
    emit view.StatusTextChange("hovering a link");
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(1), "hovering a link");

    view.Navigate("http://127.0.0.2/news.html");
    emit view.DownloadBegin();
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(2),
              "Opening http://127.0.0.2/news.html");
    emit view.ProgressChange(50, 100);
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(2),
              "Opening http://127.0.0.2/news.html");

    control<QLineEdit>(window, "Text1").setText("typed meanwhile");
    view.completeLoad("News", std::nullopt);
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(2),
              "Completed http://127.0.0.2/news.html");
    EXPECT_EQ(control<QLineEdit>(window, "Text1").text(), "http://127.0.0.2/news.html");
    EXPECT_EQ(window.windowTitle(), "News");
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(1), "hovering a link");
}

TEST_F(SiteWindowTest, TypedTextIsKeptUntilSentAndEscapePutsBackThePageAddress)
{
    SiteWindow& window = siteWindow();
    FakeBrowser& view = browser(window);
    view.completeLoad("Varrow", std::nullopt);
    control<QLineEdit>(window, "Text1").clear();
    QTest::keyClicks(&control<QLineEdit>(window, "Text1"), "127.0.0.2/typ");
    view.completeLoad("Varrow again", std::nullopt);
    EXPECT_EQ(control<QLineEdit>(window, "Text1").text(), "127.0.0.2/typ");

    QTest::keyClick(&control<QLineEdit>(window, "Text1"), Qt::Key_Escape);
    EXPECT_EQ(control<QLineEdit>(window, "Text1").text(), "varrow.example");

    QTest::keyClicks(&control<QLineEdit>(window, "Text1"), "/more");
    QTest::keyClick(&control<QLineEdit>(window, "Text1"), Qt::Key_Return);
    EXPECT_EQ(view.requests.last(), "Navigate varrow.example/more");
    view.completeLoad("More", std::nullopt);
    EXPECT_EQ(control<QLineEdit>(window, "Text1").text(), "varrow.example/more");
}

TEST_F(SiteWindowTest, TheWebsiteFallsBackToAPageAboutTheProgram)
{
    version.companyName = "Maker <&> Sons";
    SiteWindow& window = siteWindow();
    const FakeBrowser& view = browser(window);
    EXPECT_EQ(view.fallbackAddress, "varrow.example");
    for (const QString& part : {QString("<title>Varrow</title>"), QString("Version 1.0"),
                                QString("Maker &lt;&amp;&gt; Sons"), QString("varrow.example"),
                                QString::fromStdString((directory() / "Help.rtf").string()),
                                QString("man varrow-capture")})
        EXPECT_TRUE(view.fallbackHtml.contains(part)) << part.toStdString();
    EXPECT_FALSE(view.fallbackHtml.contains("<script")) << "nothing runs, nothing is fetched";
    EXPECT_FALSE(view.fallbackHtml.contains("src="));
}

TEST_F(SiteWindowTest, ResizingArrangesTheWindowInTwips)
{
    SiteWindow& window = siteWindow();
    window.setWindowState(Qt::WindowNoState);
    window.resize(700, 500);
    QCoreApplication::processEvents();
    const QSize outer = window.outerSizeInTwips();
    const DesignGeometry& design = window.design();
    EXPECT_EQ(design.of(&control<QGroupBox>(window, "frmBrowser")).width,
              std::abs(outer.width() - 300));
    EXPECT_EQ(design.of(&control<QGroupBox>(window, "frmBrowser")).height,
              std::abs(outer.height() - 315));
    EXPECT_EQ(design.of(&control<QToolButton>(window, "Command3")).left,
              design.of(&control<QLineEdit>(window, "Text1")).width + 540 + 100);
    EXPECT_EQ(design.of(control<BrowserControl>(window, "WebBrowser1").view()).top, 1140);
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelWidth(1),
              design.toPixelsX(outer.width() / 2));
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").y() +
                  control<StatusBar>(window, "StatusBar1").height(),
              window.height());
}

TEST_F(SiteWindowTest, OutlivesTheMainWindowAndThenEndsTheProgram)
{
    writeTextFile(directory() / "Help.rtf", "{\\rtf1 Help}");
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    MainWindow& main = startProgram();
    ASSERT_NE(program->helpWindow(), nullptr);
    SiteWindow& site = siteWindow();

    main.close();
    EXPECT_EQ(program->mainWindow(), nullptr);
    EXPECT_EQ(program->helpWindow(), nullptr);
    EXPECT_EQ(program->splashWindow(), nullptr);
    EXPECT_EQ(programEnds, 0);

    control<QLineEdit>(site, "Text1").setText("127.0.0.2/after");
    control<QToolButton>(site, "Command3").click();
    EXPECT_EQ(browser(site).requests.last(), "Navigate 127.0.0.2/after");
    site.close();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(program->siteWindow(), nullptr);
}

TEST_F(SiteWindowTest, ClosingItWhileTheMainWindowIsOpenEndsNothing)
{
    MainWindow& main = startProgram();
    SiteWindow* first = &siteWindow();
    first->close();
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(program->siteWindow(), nullptr);
    EXPECT_EQ(program->mainWindow(), &main);

    SiteWindow& again = siteWindow(); // loaded afresh: navigates again
    EXPECT_EQ(browser(again).requests, QStringList{"Navigate varrow.example"});
}

} // namespace
} // namespace varrow::testing
