#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TabStrip.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"
#include "tests/support/ImageListFields.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace varrow::testing
{
namespace
{

using CommandsTest = ShellFixture;

const QStringList kAllStopped{"Stop"};

TEST_F(CommandsTest, BackWithTheSourceViewVisibleMovesOnlyThatView)
{
    MainWindow& window = mainWindow();
    view(window, 0).Navigate("http://127.0.0.2/one.html");
    view(window, 0).Navigate("http://127.0.0.2/two.html");
    view(window, 1).Navigate("/tmp/first/source.htm");
    view(window, 1).Navigate("/tmp/second/source.htm");
    window.selectView(MainWindow::SourceView);
    for (int i = 0; i < 3; ++i)
        view(window, i).requests.clear();

    control<QToolButton>(window, "cmbBack").click();
    EXPECT_EQ(view(window, 0).requests, kAllStopped);
    EXPECT_EQ(view(window, 1).requests, (QStringList{"Stop", "GoBack"}));
    EXPECT_EQ(view(window, 2).requests, kAllStopped);
    EXPECT_EQ(view(window, 0).LocationURL(), "http://127.0.0.2/two.html");
    EXPECT_EQ(view(window, 1).LocationURL(), "/tmp/first/source.htm");

    control<QToolButton>(window, "cmbBack").click(); // no earlier page: silently nothing
    EXPECT_EQ(view(window, 1).LocationURL(), "/tmp/first/source.htm");
    control<QAction>(window, "mnuGoItem1").trigger();
    EXPECT_EQ(view(window, 1).LocationURL(), "/tmp/second/source.htm");
}

TEST_F(CommandsTest, SendToBrowserOpensTheVisibleViewsPageInTheBrowserView)
{
    MainWindow& window = mainWindow();
    view(window, 2).Navigate("http://127.0.0.2/images/big.png");
    window.selectView(MainWindow::GalleryView);
    control<QToolButton>(window, "Command1").click();
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/images/big.png");
    EXPECT_EQ(visibleView(window), 0);
    EXPECT_EQ(control<TabStrip>(window, "TabStrip1").selectedTab(), 1);
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate http://127.0.0.2/images/big.png");

    // On the Browser view it reloads the current address.
    control<QAction>(window, "mnuGoItem5").trigger();
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate http://127.0.0.2/images/big.png");
}

TEST_F(CommandsTest, GoNavigatesTheTextAsTypedWithoutSwitchingViews)
{
    MainWindow& window = mainWindow();
    window.selectView(MainWindow::GalleryView);
    control<QLineEdit>(window, "txtUrl").setText("bareword");
    control<QToolButton>(window, "cmdGo").click();
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate bareword");
    control<QLineEdit>(window, "txtUrl").setText(" spaced ");
    emit control<QLineEdit>(window, "txtUrl").returnPressed();
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate  spaced ");
    EXPECT_EQ(visibleView(window), 2);
}

TEST_F(CommandsTest, RefusedNavigationIsReportedInTheStatusBar)
{
    MainWindow& window = mainWindow();
    view(window, 0).refuseNavigation = true;
    control<QLineEdit>(window, "txtUrl").setText("::");
    control<QToolButton>(window, "cmdGo").click();
    EXPECT_EQ(control<StatusBar>(window, "sb1").panelText(1), "refused ::");
}

TEST_F(CommandsTest, UpDirStopsAtTheHostRoot)
{
    MainWindow& window = mainWindow();
    window.selectView(MainWindow::SourceView);
    for (const QString root : {"http://127.0.0.2/", "https://127.0.0.2/"}) {
        control<QLineEdit>(window, "txtUrl").setText(root);
        control<QToolButton>(window, "cmdBackDir").click();
        EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), root);
        EXPECT_EQ(view(window, 0).requests.last(), "Navigate " + root);
    }
    EXPECT_EQ(visibleView(window), 0);

    control<QLineEdit>(window, "txtUrl").setText("http://127.0.0.2/dir/page.htm");
    control<QAction>(window, "mnuGoItem4").trigger();
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/dir/");
}

TEST_F(CommandsTest, TypedAddressOutlivesTitleChangesUntilSentOrEscaped)
{
    MainWindow& window = mainWindow();
    FakeBrowser& browser = view(window, 0);
    browser.Navigate("http://127.0.0.2/clock.html");
    browser.completeLoad("12:00", std::nullopt);
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/clock.html");

    control<QLineEdit>(window, "txtUrl").clear();
    QTest::keyClicks(&control<QLineEdit>(window, "txtUrl"), "127.0.0.2/ne");
    browser.completeLoad("12:01", std::nullopt);
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "127.0.0.2/ne");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project - 12:01");

    QTest::keyClick(&control<QLineEdit>(window, "txtUrl"), Qt::Key_Escape);
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/clock.html");
    browser.completeLoad("12:02", std::nullopt);
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/clock.html");

    QTest::keyClicks(&control<QLineEdit>(window, "txtUrl"), "?sent");
    QTest::keyClick(&control<QLineEdit>(window, "txtUrl"), Qt::Key_Return);
    EXPECT_EQ(browser.requests.last(), "Navigate http://127.0.0.2/clock.html?sent");
    browser.Navigate("http://127.0.0.2/landed.html");
    browser.completeLoad("Landed", std::nullopt);
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/landed.html");
}

TEST_F(CommandsTest, ARefusalStaysInTheStatusBarUntilTheNextCommand)
{
    MainWindow& window = mainWindow();
    view(window, 0).refuseNavigation = true;
    control<QLineEdit>(window, "txtUrl").setText("::");
    control<QToolButton>(window, "cmdGo").click();
    emit view(window, 1).StatusTextChange("Done");
    EXPECT_EQ(control<StatusBar>(window, "sb1").panelText(1), "refused ::");
    view(window, 0).refuseNavigation = false;
    control<QAction>(window, "mnuGoItem2").trigger(); // Stop
    EXPECT_EQ(control<StatusBar>(window, "sb1").panelText(1), "Done");
}

TEST_F(CommandsTest, RefreshReloadsCapturesAndEndsOnTheBrowserTab)
{
    MainWindow& window = mainWindow();
    view(window, 0).Navigate("http://127.0.0.2/page.html");
    view(window, 0).body = "<body><img src=\"a.gif\"></body>";
    window.selectView(MainWindow::GalleryView);
    view(window, 1).requests.clear();
    control<QToolButton>(window, "cmdRefresh").click();
    EXPECT_EQ(visibleView(window), 0);
    EXPECT_EQ(control<TabStrip>(window, "TabStrip1").selectedTab(), 1);
    EXPECT_TRUE(view(window, 0).requests.endsWith("Refresh"));
    EXPECT_EQ(namesOf(window.imageLists()[ImageLists::kEmbeddedImages]),
              std::vector<std::string>{"a.gif"});
    EXPECT_EQ(view(window, 1).requests.size(), 2); // stopped, then the new source page
}

TEST_F(CommandsTest, FileOpenNavigatesToTheChosenFileOnly)
{
    MainWindow& window = mainWindow();
    view(window, 0).requests.clear();
    chosenFile.clear(); // cancelled
    control<QAction>(window, "mnuFileItem0").trigger();
    EXPECT_TRUE(view(window, 0).requests.isEmpty());

    chosenFile = "/tmp/some page.html";
    window.selectView(MainWindow::SourceView);
    control<QAction>(window, "mnuFileItem0").trigger();
    EXPECT_EQ(view(window, 0).requests, QStringList{"Navigate2 /tmp/some page.html"});
    EXPECT_EQ(visibleView(window), 1);
}

TEST_F(CommandsTest, WebsiteButtonAndMenuShowOneSiteWindow)
{
    MainWindow& window = mainWindow();
    control<QToolButton>(window, "cmdWebsite").click();
    auto* first = program->siteWindow();
    control<QAction>(window, "mnuViewItem3").trigger();
    EXPECT_EQ(program->siteWindow(), first);
}

class ToolsMenuTest : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        qputenv("VARROW_REGISTRY_DIR", registryDir.path().toUtf8());
    }
    void TearDown() override { qunsetenv("VARROW_REGISTRY_DIR"); }
    std::string store() const
    {
        QFile file(registryDir.filePath("HKEY_LOCAL_MACHINE.reg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }
    QTemporaryDir registryDir;
};

TEST_F(ToolsMenuTest, InstallAndRemoveToggleTheItems)
{
    MainWindow& window = mainWindow();
    control<QAction>(window, "mnuToolsItem0").trigger();
    EXPECT_FALSE(control<QAction>(window, "mnuToolsItem0").isEnabled());
    EXPECT_TRUE(control<QAction>(window, "mnuToolsItem1").isEnabled());
    EXPECT_NE(store().find("\"ButtonText\"=\"Varrow\""), std::string::npos);
    EXPECT_NE(store().find("\"MenuText\"=\"&Varrow\""), std::string::npos);

    control<QAction>(window, "mnuToolsItem1").trigger();
    EXPECT_TRUE(control<QAction>(window, "mnuToolsItem0").isEnabled());
    EXPECT_FALSE(control<QAction>(window, "mnuToolsItem1").isEnabled());
    EXPECT_EQ(store().find("ButtonText"), std::string::npos);
}

TEST_F(ToolsMenuTest, AFailedInstallKeepsTheItemsAndSaysWhy)
{
    const QString blocked = registryDir.filePath("not-a-directory");
    QFile(blocked).open(QIODevice::WriteOnly);
    qputenv("VARROW_REGISTRY_DIR", blocked.toUtf8());
    MainWindow& window = mainWindow();
    control<QAction>(window, "mnuToolsItem0").trigger();
    EXPECT_TRUE(control<QAction>(window, "mnuToolsItem0").isEnabled());
    EXPECT_TRUE(control<QAction>(window, "mnuToolsItem1").isEnabled());
    EXPECT_TRUE(control<StatusBar>(window, "sb1").panelText(1).contains("not-a-directory"))
        << control<StatusBar>(window, "sb1").panelText(1).toStdString();
}

} // namespace
} // namespace varrow::testing
