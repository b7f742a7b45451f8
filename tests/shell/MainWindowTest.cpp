#include "capture/WorkFiles.h"
#include "platform/desktop/ProgressMeter.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TabStrip.h"
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "windows/Form8.h"

#include <QAction>
#include <QToolButton>

namespace varrow::testing
{
namespace
{

using MainWindowTest = ShellFixture;

TEST_F(MainWindowTest, LoadSetsCaptionsBannerViewsAndGoesHome)
{
    Form1& window = mainWindow();
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project");
    EXPECT_EQ(window.cmdWebsite->text(), "Visit varrow.example");
    EXPECT_EQ(window.mnuViewItem[3]->text(), "varrow.example");
    EXPECT_EQ(window.geometryOf(window.TabStrip1).top, 1380 + 945 + 100);
    EXPECT_EQ(window.sb1->panelCount(), 2);
    EXPECT_EQ(visibleView(window), 0);
    EXPECT_EQ(view(window, 0).requests, QStringList{"GoHome"});
    EXPECT_TRUE(view(window, 0).role == BrowserRole::Browsing);
    EXPECT_TRUE(view(window, 1).role == BrowserRole::GeneratedPage);
    EXPECT_TRUE(view(window, 2).role == BrowserRole::GeneratedPage);
    EXPECT_EQ(static_cast<FakeBrowser*>(window.wbBanner)->requests,
              QStringList{"Navigate " + program->identity().BannerAddress});
}

TEST_F(MainWindowTest, EmptyWebsiteNameKeepsTheTrailingSpace)
{
    version.comments.clear();
    program->LoadIdentity();
    Form1& window = mainWindow();
    EXPECT_EQ(window.cmdWebsite->text(), "Visit ");
    EXPECT_EQ(window.mnuViewItem[3]->text(), "");
}

TEST_F(MainWindowTest, HelpOpensAtStartOnlyForExactlyOne)
{
    for (const QString value : {"0", "", "yes", "1 "}) {
        settings.SaveSetting("Varrow", "Settings", "showHelp", value);
        delete program->mainWindow();
        mainWindow();
        EXPECT_EQ(program->helpWindow(), nullptr) << value.toStdString();
    }
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    delete program->mainWindow();
    mainWindow();
    EXPECT_NE(program->helpWindow(), nullptr);
}

TEST_F(MainWindowTest, MissingWorkingFilesAreCreatedAndPresentOnesKept)
{
    const WorkFiles files(directory());
    writeTextFile(files.pathOf(WorkFiles::kSourcePage), "kept");
    mainWindow();
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kSourcePage)), "kept\r\n");
    for (std::string_view name : WorkFiles::kAll) {
        if (name != WorkFiles::kSourcePage) {
            EXPECT_EQ(readTextFile(files.pathOf(name)), "\r\n") << name;
        }
    }
}

TEST_F(MainWindowTest, ProgressFollowsOnlyTheBrowserView)
{
    Form1& window = mainWindow();
    window.wb_ProgressChange(0, 30, 100);
    EXPECT_EQ(window.pb1->max(), 100);
    EXPECT_EQ(window.pb1->meterValue(), 30);

    window.wb_ProgressChange(0, 50, 0); // no maximum: nothing changes
    EXPECT_EQ(window.pb1->max(), 100);
    EXPECT_EQ(window.pb1->meterValue(), 30);

    window.wb_ProgressChange(0, -1, 100); // a download ended
    EXPECT_EQ(window.pb1->meterValue(), 0.01);
    window.wb_ProgressChange(0, 200, 200);
    EXPECT_EQ(window.pb1->meterValue(), 200);
    window.wb_ProgressChange(0, 201, 200);
    EXPECT_EQ(window.pb1->meterValue(), 0.01);

    window.wb_ProgressChange(1, 10, 50);
    window.wb_ProgressChange(2, 10, 50);
    EXPECT_EQ(window.pb1->max(), 200);
    EXPECT_EQ(window.pb1->meterValue(), 0.01);
}

TEST_F(MainWindowTest, EveryViewWritesTheStatusText)
{
    Form1& window = mainWindow();
    for (int i = 0; i < 3; ++i) {
        const QString text = QString("status from %1").arg(i);
        emit view(window, i).StatusTextChange(text);
        EXPECT_EQ(window.sb1->panelText(1), text);
    }
}

TEST_F(MainWindowTest, OnlyTheBrowserViewsTitleChangesAddressAndCaption)
{
    Form1& window = mainWindow();
    view(window, 0).Navigate("http://127.0.0.2/a.html");
    view(window, 1).Navigate("/tmp/source.htm");
    emit view(window, 1).TitleChange("source");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project");
    EXPECT_EQ(window.txtUrl->text(), "");

    view(window, 0).title = "Page A";
    emit view(window, 0).TitleChange("ignored");
    EXPECT_EQ(window.txtUrl->text(), "http://127.0.0.2/a.html");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project - Page A");

    view(window, 0).title.clear(); // a page without a title shows its address
    emit view(window, 0).TitleChange("");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project - http://127.0.0.2/a.html");
}

TEST_F(MainWindowTest, TabsMenuAndViewsAgree)
{
    Form1& window = mainWindow();
    for (const std::int16_t i : {std::int16_t{2}, std::int16_t{1}, std::int16_t{0}}) {
        window.mnuViewItem[i]->trigger();
        EXPECT_EQ(visibleView(window), i);
        EXPECT_EQ(window.TabStrip1->selectedTab(), i + 1);
    }
    window.TabStrip1->selectTab(3); // as a click on the third tab
    EXPECT_EQ(visibleView(window), 2);
    window.ShowView(1); // shows the view without touching the tabs
    EXPECT_EQ(visibleView(window), 1);
    EXPECT_EQ(window.TabStrip1->selectedTab(), 3);
}

TEST_F(MainWindowTest, WebsiteMenuItemOpensTheSiteWindowWithoutSwitchingViews)
{
    Form1& window = mainWindow();
    window.SelectView(2);
    window.mnuViewItem[3]->trigger();
    EXPECT_NE(program->siteWindow(), nullptr);
    EXPECT_EQ(visibleView(window), 2);
}

TEST_F(MainWindowTest, DownloadCompleteOfTheBrowserViewCapturesThePage)
{
    Form1& window = mainWindow();
    const WorkFiles files(directory());
    view(window, 0).Navigate("http://127.0.0.2/dir/page.html");
    view(window, 0).completeLoad("Page",
                                 "<body><img src=\"pic.gif\"><a href=\"b.jpg\">b</a></body>");

    EXPECT_EQ(window.lists.Links[ImageLists::kEmbeddedImages],
              std::vector<std::string>{"http://127.0.0.2/dir/pic.gif"});
    EXPECT_EQ(window.lists.Links[ImageLists::kLinkedImages],
              std::vector<std::string>{"http://127.0.0.2/dir/b.jpg"});
    EXPECT_EQ(view(window, 1).requests.last(),
              "Navigate " + QString::fromStdString(files.pathOf(WorkFiles::kSourcePage).string()));
    EXPECT_EQ(view(window, 2).requests.last(),
              "Navigate " + QString::fromStdString(files.pathOf(WorkFiles::kImagePage).string()));
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kMarkup)), "\r\n");
    EXPECT_NE(readTextFile(files.pathOf(WorkFiles::kImagePage)).find("pic.gif"), std::string::npos);
    // The generated views learn whose pictures they show.
    EXPECT_EQ(view(window, 1).capturedPage, "http://127.0.0.2/dir/page.html");
    EXPECT_EQ(view(window, 2).capturedPage, "http://127.0.0.2/dir/page.html");
}

TEST_F(MainWindowTest, GeneratedViewsDownloadsChangeNothing)
{
    Form1& window = mainWindow();
    const WorkFiles files(directory());
    view(window, 0).Navigate("http://127.0.0.2/page.html");
    view(window, 0).completeLoad("Page", "<body><img src=\"pic.gif\"></body>");
    const std::string source = readTextFile(files.pathOf(WorkFiles::kSourcePage));
    const int requests = static_cast<int>(view(window, 1).requests.size());

    view(window, 1).completeLoad("source", "<body><img src=\"other.gif\"></body>");
    view(window, 2).completeLoad("images", "<body><img src=\"other.gif\"></body>");
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kSourcePage)), source);
    EXPECT_EQ(window.lists.frmList[ImageLists::kEmbeddedImages],
              std::vector<std::string>{"pic.gif"});
    EXPECT_EQ(view(window, 1).requests.size(), requests);
}

TEST_F(MainWindowTest, UnreadableDocumentGivesEmptyPages)
{
    Form1& window = mainWindow();
    const WorkFiles files(directory());
    view(window, 0).Navigate("http://127.0.0.2/page.html");
    view(window, 0).completeLoad("Page", std::nullopt);
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kSourcePage)), "\r\n");
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kImagePage)), "\r\n");
    EXPECT_TRUE(window.lists.Links[0].empty() && window.lists.Links[1].empty());
}

TEST_F(MainWindowTest, ClosingEndsTheProgramUnlessTheSiteWindowIsVisible)
{
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    program->start();
    for (int tick = 0; tick < 75; ++tick)
        program->splashWindow()->Timer2_Timer();
    Form1* window = program->mainWindow();
    ASSERT_NE(window, nullptr);
    program->showSiteWindow();

    window->close();
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(program->MainWindowClosed);
    EXPECT_EQ(program->helpWindow(), nullptr);
    EXPECT_EQ(program->splashWindow(), nullptr);
    EXPECT_EQ(program->mainWindow(), nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(view(*window, i).requests.last(), "Stop");
}

TEST_F(MainWindowTest, ClosingWithoutTheSiteWindowEndsTheProgram)
{
    mainWindow().close();
    EXPECT_EQ(programEnds, 1);
    EXPECT_FALSE(program->MainWindowClosed);
}

} // namespace
} // namespace varrow::testing
