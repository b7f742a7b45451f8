#include "platform/desktop/StatusBar.h"
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "windows/Form8.h"
#include "windows/frmWebsite.h"

#include <QGroupBox>
#include <QTest>

namespace varrow::testing
{
namespace
{

class SiteWindowTest : public ShellFixture
{
protected:
    frmWebsite& siteWindow() { return program->showSiteWindow(); }
    static FakeBrowser& browser(frmWebsite& window)
    {
        return *static_cast<FakeBrowser*>(window.WebBrowser1);
    }
    // Opens the main window the way the program does: the splash window's 75th tick.
    Form1& startProgram()
    {
        program->start();
        for (int tick = 0; tick < 75; ++tick)
            program->splashWindow()->Timer2_Timer();
        return *program->mainWindow();
    }
};

TEST_F(SiteWindowTest, LoadNamesTheWindowAddsThePanelNavigatesAndMaximises)
{
    frmWebsite& window = siteWindow();
    EXPECT_EQ(window.windowTitle(), "varrow.example");
    EXPECT_EQ(window.StatusBar1->panelCount(), 2);
    EXPECT_EQ(browser(window).requests, QStringList{"Navigate varrow.example"});
    EXPECT_TRUE(window.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(SiteWindowTest, OpeningTwiceShowsTheSameWindowWithoutNavigatingAgain)
{
    frmWebsite& first = siteWindow();
    first.hide();
    frmWebsite& second = siteWindow();
    EXPECT_EQ(&first, &second);
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(browser(second).requests, QStringList{"Navigate varrow.example"});
}

TEST_F(SiteWindowTest, BackAndForwardOnAFreshWindowDoNothing)
{
    frmWebsite& window = siteWindow();
    window.Command4->click();
    window.Command5->click();
    EXPECT_EQ(browser(window).requests.mid(1), (QStringList{"GoBack", "GoForward"}));
    EXPECT_EQ(browser(window).LocationURL(), "varrow.example");
    EXPECT_TRUE(window.isVisible());

    window.Command6->click();
    window.Command7->click();
    EXPECT_EQ(browser(window).requests.mid(3), (QStringList{"Stop", "Refresh"}));
}

TEST_F(SiteWindowTest, EnterInTheAddressBoxBrowsesLikeTheButton)
{
    frmWebsite& window = siteWindow();
    window.Text1->setText("127.0.0.2/typed page");
    window.Command3->click();
    EXPECT_EQ(browser(window).requests.last(), "Navigate 127.0.0.2/typed page");

    window.Text1->setText("second");
    QTest::keyClick(window.Text1, Qt::Key_Return);
    EXPECT_EQ(browser(window).requests.last(), "Navigate second");
    EXPECT_EQ(window.Text1->text(), "second");
    QTest::keyClick(window.Text1, Qt::Key_X);
    EXPECT_EQ(browser(window).requests.last(), "Navigate second");
}

TEST_F(SiteWindowTest, ARefusedAddressShowsInTheStatusBar)
{
    frmWebsite& window = siteWindow();
    browser(window).refuseNavigation = true;
    window.Text1->clear();
    window.Command3->click();
    EXPECT_EQ(window.StatusBar1->panelText(1), "refused ");
}

TEST_F(SiteWindowTest, NotificationsFillTheStatusBarAddressAndCaption)
{
    frmWebsite& window = siteWindow();
    FakeBrowser& view = browser(window);
    emit view.StatusTextChange("hovering a link");
    EXPECT_EQ(window.StatusBar1->panelText(1), "hovering a link");

    view.Navigate("http://127.0.0.2/news.html");
    emit view.DownloadBegin();
    EXPECT_EQ(window.StatusBar1->panelText(2), "Opening http://127.0.0.2/news.html");
    emit view.ProgressChange(50, 100);
    EXPECT_EQ(window.StatusBar1->panelText(2), "Opening http://127.0.0.2/news.html");

    window.Text1->setText("typed meanwhile");
    view.completeLoad("News", std::nullopt);
    EXPECT_EQ(window.StatusBar1->panelText(2), "Completed http://127.0.0.2/news.html");
    EXPECT_EQ(window.Text1->text(), "http://127.0.0.2/news.html");
    EXPECT_EQ(window.windowTitle(), "News");
    EXPECT_EQ(window.StatusBar1->panelText(1), "hovering a link");
}

TEST_F(SiteWindowTest, TypedTextIsKeptUntilSentAndEscapePutsBackThePageAddress)
{
    frmWebsite& window = siteWindow();
    FakeBrowser& view = browser(window);
    view.completeLoad("Varrow", std::nullopt);
    window.Text1->clear();
    QTest::keyClicks(window.Text1, "127.0.0.2/typ");
    view.completeLoad("Varrow again", std::nullopt);
    EXPECT_EQ(window.Text1->text(), "127.0.0.2/typ");

    QTest::keyClick(window.Text1, Qt::Key_Escape);
    EXPECT_EQ(window.Text1->text(), "varrow.example");

    QTest::keyClicks(window.Text1, "/more");
    QTest::keyClick(window.Text1, Qt::Key_Return);
    EXPECT_EQ(view.requests.last(), "Navigate varrow.example/more");
    view.completeLoad("More", std::nullopt);
    EXPECT_EQ(window.Text1->text(), "varrow.example/more");
}

TEST_F(SiteWindowTest, TheWebsiteFallsBackToAPageAboutTheProgram)
{
    version.companyName = "Maker <&> Sons";
    frmWebsite& window = siteWindow();
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
    frmWebsite& window = siteWindow();
    window.setWindowState(Qt::WindowNoState);
    window.resize(700, 500);
    QCoreApplication::processEvents();
    const QSize outer = window.outerSizeInTwips();
    const DesignGeometry& design = window.design();
    EXPECT_EQ(design.of(window.frmBrowser).width, std::abs(outer.width() - 300));
    EXPECT_EQ(design.of(window.frmBrowser).height, std::abs(outer.height() - 315));
    EXPECT_EQ(design.of(window.Command3).left, design.of(window.Text1).width + 540 + 100);
    EXPECT_EQ(design.of(window.WebBrowser1->view()).top, 1140);
    EXPECT_EQ(window.StatusBar1->panelWidth(1), design.toPixelsX(outer.width() / 2));
    EXPECT_EQ(window.StatusBar1->y() + window.StatusBar1->height(), window.height());
}

TEST_F(SiteWindowTest, OutlivesTheMainWindowAndThenEndsTheProgram)
{
    writeTextFile(directory() / "Help.rtf", "{\\rtf1 Help}");
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    Form1& main = startProgram();
    ASSERT_NE(program->helpWindow(), nullptr);
    frmWebsite& site = siteWindow();

    main.close();
    EXPECT_EQ(program->mainWindow(), nullptr);
    EXPECT_EQ(program->helpWindow(), nullptr);
    EXPECT_EQ(program->splashWindow(), nullptr);
    EXPECT_EQ(programEnds, 0);

    site.Text1->setText("127.0.0.2/after");
    site.Command3->click();
    EXPECT_EQ(browser(site).requests.last(), "Navigate 127.0.0.2/after");
    site.close();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(program->siteWindow(), nullptr);
}

TEST_F(SiteWindowTest, ClosingItWhileTheMainWindowIsOpenEndsNothing)
{
    Form1& main = startProgram();
    frmWebsite* first = &siteWindow();
    first->close();
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(program->siteWindow(), nullptr);
    EXPECT_EQ(program->mainWindow(), &main);

    frmWebsite& again = siteWindow(); // loaded afresh: navigates again
    EXPECT_EQ(browser(again).requests, QStringList{"Navigate varrow.example"});
}

} // namespace
} // namespace varrow::testing
