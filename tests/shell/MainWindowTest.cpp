#include "capture/WorkFiles.h"
#include "platform/desktop/ProgressMeter.h"
#include "platform/desktop/StatusBar.h"
#include "platform/desktop/TabStrip.h"
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"
#include "tests/support/ImageListFields.h"
#include "windows/HelpWindow.h"

#include <QAction>
#include <QToolButton>

namespace varrow::testing
{
namespace
{

using MainWindowTest = ShellFixture;

TEST_F(MainWindowTest, LoadSetsCaptionsBannerViewsAndGoesHome)
{
    MainWindow& window = mainWindow();
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project");
    EXPECT_EQ(control<QToolButton>(window, "cmdWebsite").text(), "Visit varrow.example");
    EXPECT_EQ(control<QAction>(window, "mnuViewItem3").text(), "varrow.example");
    EXPECT_EQ(window.geometryOf(&control<TabStrip>(window, "TabStrip1")).top, 1380 + 945 + 100);
    EXPECT_EQ(control<StatusBar>(window, "sb1").panelCount(), 2);
    EXPECT_EQ(visibleView(window), 0);
    EXPECT_EQ(view(window, 0).requests, QStringList{"GoHome"});
    EXPECT_TRUE(view(window, 0).role == BrowserRole::Browsing);
    EXPECT_TRUE(view(window, 1).role == BrowserRole::GeneratedPage);
    EXPECT_TRUE(view(window, 2).role == BrowserRole::GeneratedPage);
    EXPECT_EQ(static_cast<FakeBrowser*>(&control<BrowserControl>(window, "wbBanner"))->requests,
              QStringList{"Navigate " + program->identity().BannerAddress});
}

TEST_F(MainWindowTest, EmptyWebsiteNameKeepsTheTrailingSpace)
{
    version.comments.clear();
    program->LoadIdentity();
    MainWindow& window = mainWindow();
    EXPECT_EQ(control<QToolButton>(window, "cmdWebsite").text(), "Visit ");
    EXPECT_EQ(control<QAction>(window, "mnuViewItem3").text(), "");
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
    MainWindow& window = mainWindow();
    emit view(window, 0).ProgressChange(30, 100);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").max(), 100);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").meterValue(), 30);

    emit view(window, 0).ProgressChange(50, 0); // no maximum: nothing changes
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").max(), 100);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").meterValue(), 30);

    emit view(window, 0).ProgressChange(-1, 100); // a download ended
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").meterValue(), 0.01);
    emit view(window, 0).ProgressChange(200, 200);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").meterValue(), 200);
    emit view(window, 0).ProgressChange(201, 200);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").meterValue(), 0.01);

    emit view(window, 1).ProgressChange(10, 50);
    emit view(window, 2).ProgressChange(10, 50);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").max(), 200);
    EXPECT_EQ(control<ProgressMeter>(window, "pb1").meterValue(), 0.01);
}

TEST_F(MainWindowTest, EveryViewWritesTheStatusText)
{
    MainWindow& window = mainWindow();
    for (int i = 0; i < 3; ++i) {
        const QString text = QString("status from %1").arg(i);
        emit view(window, i).StatusTextChange(text);
        EXPECT_EQ(control<StatusBar>(window, "sb1").panelText(1), text);
    }
}

TEST_F(MainWindowTest, OnlyTheBrowserViewsTitleChangesAddressAndCaption)
{
    MainWindow& window = mainWindow();
    view(window, 0).Navigate("http://127.0.0.2/a.html");
    view(window, 1).Navigate("/tmp/source.htm");
    emit view(window, 1).TitleChange("source");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project");
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "");

    view(window, 0).title = "Page A";
    emit view(window, 0).TitleChange("ignored");
    EXPECT_EQ(control<QLineEdit>(window, "txtUrl").text(), "http://127.0.0.2/a.html");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project - Page A");

    view(window, 0).title.clear(); // a page without a title shows its address
    emit view(window, 0).TitleChange("");
    EXPECT_EQ(window.windowTitle(), "Varrow by Varrow Project - http://127.0.0.2/a.html");
}

TEST_F(MainWindowTest, TabsMenuAndViewsAgree)
{
    MainWindow& window = mainWindow();
    for (const std::int16_t i : {std::int16_t{2}, std::int16_t{1}, std::int16_t{0}}) {
        control<QAction>(window, QString("mnuViewItem%1").arg(i)).trigger();
        EXPECT_EQ(visibleView(window), i);
        EXPECT_EQ(control<TabStrip>(window, "TabStrip1").selectedTab(), i + 1);
    }
    control<TabStrip>(window, "TabStrip1").selectTab(3); // as a click on the third tab
    EXPECT_EQ(visibleView(window), 2);
    window.showView(MainWindow::SourceView); // shows the view without touching the tabs
    EXPECT_EQ(visibleView(window), 1);
    EXPECT_EQ(control<TabStrip>(window, "TabStrip1").selectedTab(), 3);
}

TEST_F(MainWindowTest, WebsiteMenuItemOpensTheSiteWindowWithoutSwitchingViews)
{
    MainWindow& window = mainWindow();
    window.selectView(MainWindow::GalleryView);
    control<QAction>(window, "mnuViewItem3").trigger();
    EXPECT_NE(program->siteWindow(), nullptr);
    EXPECT_EQ(visibleView(window), 2);
}

TEST_F(MainWindowTest, DownloadCompleteOfTheBrowserViewCapturesThePage)
{
    MainWindow& window = mainWindow();
    const WorkFiles files(directory());
    // Whoever follows the window's handled loads finds the capture made.
    std::vector<std::size_t> foundWhenHandled;
    QObject::connect(&window, &MainWindow::pageLoadHandled, [&] {
        foundWhenHandled.push_back(window.imageLists()[ImageLists::kEmbeddedImages].size());
    });
    view(window, 0).Navigate("http://127.0.0.2/dir/page.html");
    view(window, 0).completeLoad("Page",
                                 "<body><img src=\"pic.gif\"><a href=\"b.jpg\">b</a></body>");
    view(window, 1).completeLoad("source", "<body></body>"); // the other views' loads are not
    EXPECT_EQ(foundWhenHandled, std::vector<std::size_t>{1});

    EXPECT_EQ(addressesOf(window.imageLists()[ImageLists::kEmbeddedImages]),
              std::vector<std::string>{"http://127.0.0.2/dir/pic.gif"});
    EXPECT_EQ(addressesOf(window.imageLists()[ImageLists::kLinkedImages]),
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
    MainWindow& window = mainWindow();
    const WorkFiles files(directory());
    view(window, 0).Navigate("http://127.0.0.2/page.html");
    view(window, 0).completeLoad("Page", "<body><img src=\"pic.gif\"></body>");
    const std::string source = readTextFile(files.pathOf(WorkFiles::kSourcePage));
    const int requests = static_cast<int>(view(window, 1).requests.size());

    view(window, 1).completeLoad("source", "<body><img src=\"other.gif\"></body>");
    view(window, 2).completeLoad("images", "<body><img src=\"other.gif\"></body>");
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kSourcePage)), source);
    EXPECT_EQ(namesOf(window.imageLists()[ImageLists::kEmbeddedImages]),
              std::vector<std::string>{"pic.gif"});
    EXPECT_EQ(view(window, 1).requests.size(), requests);
}

TEST_F(MainWindowTest, UnreadableDocumentGivesEmptyPages)
{
    MainWindow& window = mainWindow();
    const WorkFiles files(directory());
    view(window, 0).Navigate("http://127.0.0.2/page.html");
    view(window, 0).completeLoad("Page", std::nullopt);
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kSourcePage)), "\r\n");
    EXPECT_EQ(readTextFile(files.pathOf(WorkFiles::kImagePage)), "\r\n");
    EXPECT_TRUE(addressesOf(window.imageLists()[0]).empty() &&
                addressesOf(window.imageLists()[1]).empty());
}

TEST_F(MainWindowTest, ClosingEndsTheProgramUnlessTheSiteWindowIsVisible)
{
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    program->start();
    for (int tick = 0; tick < 75; ++tick)
        program->splashWindow()->tick();
    MainWindow* window = program->mainWindow();
    ASSERT_NE(window, nullptr);
    program->showSiteWindow();

    window->close();
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(program->mainWindowClosed());
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
    EXPECT_FALSE(program->mainWindowClosed());
}

} // namespace
} // namespace varrow::testing
