#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TabStrip.h"
#include "tests/shell/ShellFixture.h"

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
    Form1& window = mainWindow();
    view(window, 0).Navigate("http://127.0.0.2/one.html");
    view(window, 0).Navigate("http://127.0.0.2/two.html");
    view(window, 1).Navigate("/tmp/first/source.htm");
    view(window, 1).Navigate("/tmp/second/source.htm");
    window.SelectView(1);
    for (int i = 0; i < 3; ++i)
        view(window, i).requests.clear();

    window.cmbBack->click();
    EXPECT_EQ(view(window, 0).requests, kAllStopped);
    EXPECT_EQ(view(window, 1).requests, (QStringList{"Stop", "GoBack"}));
    EXPECT_EQ(view(window, 2).requests, kAllStopped);
    EXPECT_EQ(view(window, 0).LocationURL(), "http://127.0.0.2/two.html");
    EXPECT_EQ(view(window, 1).LocationURL(), "/tmp/first/source.htm");

    window.cmbBack->click(); // no earlier page: silently nothing
    EXPECT_EQ(view(window, 1).LocationURL(), "/tmp/first/source.htm");
    window.mnuGoItem[1]->trigger();
    EXPECT_EQ(view(window, 1).LocationURL(), "/tmp/second/source.htm");
}

TEST_F(CommandsTest, SendToBrowserOpensTheVisibleViewsPageInTheBrowserView)
{
    Form1& window = mainWindow();
    view(window, 2).Navigate("http://127.0.0.2/images/big.png");
    window.SelectView(2);
    window.Command1->click();
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/images/big.png");
    EXPECT_EQ(visibleView(window), 0);
    EXPECT_EQ(window.TabStrip1->selectedTab(), 1);
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate http://127.0.0.2/images/big.png");

    // On the Browser view it reloads the current address.
    window.mnuGoItem[5]->trigger();
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate http://127.0.0.2/images/big.png");
}

TEST_F(CommandsTest, GoNavigatesTheTextAsTypedWithoutSwitchingViews)
{
    Form1& window = mainWindow();
    window.SelectView(2);
    window.txtUrl->setText("bareword");
    window.cmdGo->click();
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate bareword");
    window.txtUrl->setText(" spaced ");
    emit window.txtUrl->returnPressed();
    EXPECT_EQ(view(window, 0).requests.last(), "Navigate  spaced ");
    EXPECT_EQ(visibleView(window), 2);
}

TEST_F(CommandsTest, RefusedNavigationIsReportedInTheStatusBar)
{
    Form1& window = mainWindow();
    view(window, 0).refuseNavigation = true;
    window.txtUrl->setText("::");
    window.cmdGo->click();
    EXPECT_EQ(window.sb1->panelText(1), "refused ::");
}

TEST_F(CommandsTest, UpDirStopsAtTheHostRoot)
{
    Form1& window = mainWindow();
    window.SelectView(1);
    for (const QString root : {"http://127.0.0.2/", "https://127.0.0.2/"}) {
        window.txtUrl->setText(root);
        window.cmdBackDir->click();
        EXPECT_EQ(window.txtUrl->text(), root);
        EXPECT_EQ(view(window, 0).requests.last(), "Navigate " + root);
    }
    EXPECT_EQ(visibleView(window), 0);

    window.txtUrl->setText("http://127.0.0.2/dir/page.htm");
    window.mnuGoItem[4]->trigger();
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/dir/");
}

TEST_F(CommandsTest, TypedAddressOutlivesTitleChangesUntilSentOrEscaped)
{
    Form1& window = mainWindow();
    FakeBrowser& browser = view(window, 0);
    browser.Navigate("http://127.0.0.2/clock.html");
    browser.completeLoad("12:00", std::nullopt);
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/clock.html");

    window.txtUrl->clear();
    QTest::keyClicks(window.txtUrl, "127.0.0.2/ne");
    browser.completeLoad("12:01", std::nullopt);
    EXPECT_EQ(window.txtUrl->text(), "127.0.0.2/ne");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project - 12:01");

    QTest::keyClick(window.txtUrl, Qt::Key_Escape);
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/clock.html");
    browser.completeLoad("12:02", std::nullopt);
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/clock.html");

    QTest::keyClicks(window.txtUrl, "?sent");
    QTest::keyClick(window.txtUrl, Qt::Key_Return);
    EXPECT_EQ(browser.requests.last(), "Navigate http://127.0.0.2/clock.html?sent");
    browser.Navigate("http://127.0.0.2/landed.html");
    browser.completeLoad("Landed", std::nullopt);
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/landed.html");
}

TEST_F(CommandsTest, ARefusalStaysInTheStatusBarUntilTheNextCommand)
{
    Form1& window = mainWindow();
    view(window, 0).refuseNavigation = true;
    window.txtUrl->setText("::");
    window.cmdGo->click();
    emit view(window, 1).StatusTextChange("Done");
    EXPECT_EQ(window.sb1->panelText(1), "refused ::");
    view(window, 0).refuseNavigation = false;
    window.mnuGoItem[2]->trigger(); // Stop
    EXPECT_EQ(window.sb1->panelText(1), "Done");
}

TEST_F(CommandsTest, RefreshReloadsCapturesAndEndsOnTheBrowserTab)
{
    Form1& window = mainWindow();
    view(window, 0).Navigate("http://127.0.0.2/page.html");
    view(window, 0).body = "<body><img src=\"a.gif\"></body>";
    window.SelectView(2);
    view(window, 1).requests.clear();
    window.cmdRefresh[0]->click();
    EXPECT_EQ(visibleView(window), 0);
    EXPECT_EQ(window.TabStrip1->selectedTab(), 1);
    EXPECT_TRUE(view(window, 0).requests.endsWith("Refresh"));
    EXPECT_EQ(window.lists.frmList[ImageLists::kEmbeddedImages], std::vector<std::string>{"a.gif"});
    EXPECT_EQ(view(window, 1).requests.size(), 2); // stopped, then the new source page
}

TEST_F(CommandsTest, FileOpenNavigatesToTheChosenFileOnly)
{
    Form1& window = mainWindow();
    view(window, 0).requests.clear();
    chosenFile.clear(); // cancelled
    window.mnuFileItem[0]->trigger();
    EXPECT_TRUE(view(window, 0).requests.isEmpty());

    chosenFile = "/tmp/some page.html";
    window.SelectView(1);
    window.mnuFileItem[0]->trigger();
    EXPECT_EQ(view(window, 0).requests, QStringList{"Navigate2 /tmp/some page.html"});
    EXPECT_EQ(visibleView(window), 1);
}

TEST_F(CommandsTest, WebsiteButtonAndMenuShowOneSiteWindow)
{
    Form1& window = mainWindow();
    window.cmdWebsite->click();
    auto* first = program->siteWindow();
    window.mnuViewItem[3]->trigger();
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
    Form1& window = mainWindow();
    window.mnuToolsItem[0]->trigger();
    EXPECT_FALSE(window.mnuToolsItem[0]->isEnabled());
    EXPECT_TRUE(window.mnuToolsItem[1]->isEnabled());
    EXPECT_NE(store().find("\"ButtonText\"=\"Varrow\""), std::string::npos);
    EXPECT_NE(store().find("\"MenuText\"=\"&Varrow\""), std::string::npos);

    window.mnuToolsItem[1]->trigger();
    EXPECT_TRUE(window.mnuToolsItem[0]->isEnabled());
    EXPECT_FALSE(window.mnuToolsItem[1]->isEnabled());
    EXPECT_EQ(store().find("ButtonText"), std::string::npos);
}

TEST_F(ToolsMenuTest, AFailedInstallKeepsTheItemsAndSaysWhy)
{
    const QString blocked = registryDir.filePath("not-a-directory");
    QFile(blocked).open(QIODevice::WriteOnly);
    qputenv("VARROW_REGISTRY_DIR", blocked.toUtf8());
    Form1& window = mainWindow();
    window.mnuToolsItem[0]->trigger();
    EXPECT_TRUE(window.mnuToolsItem[0]->isEnabled());
    EXPECT_TRUE(window.mnuToolsItem[1]->isEnabled());
    EXPECT_TRUE(window.sb1->panelText(1).contains("not-a-directory"))
        << window.sb1->panelText(1).toStdString();
}

} // namespace
} // namespace varrow::testing
