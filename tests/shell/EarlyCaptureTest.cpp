// The capture as soon as the browser view's document is parsed, and the one when its load
// completes, on scripted browsers: the second runs only when the body changed, leaves exactly
// the files a single capture leaves, and reloads only the generated views whose page changed.
#include "capture/CapturePage.h"
#include "capture/WorkFiles.h"
#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"

#include <QToolButton>

namespace varrow::testing
{
namespace
{

constexpr char kAddress[] = "http://127.0.0.2/dir/page.html";
constexpr char kBody[] = "<body><p>one</p><img src=\"a.gif\"></body>";

struct CaptureCase {
    const char* name;
    const char* finalBody;
    QStringList sourceRequests; // after "Navigate", which the early capture asks for
    QStringList galleryRequests;
};

class EarlyCaptureTest : public ShellFixture, public ::testing::WithParamInterface<CaptureCase>
{
protected:
    QString pathOf(std::string_view name) const
    {
        return QString::fromStdString(WorkFiles(directory()).pathOf(name).string());
    }
    // Opens kAddress in view 0 and raises DocumentReady with kBody.
    MainWindow& openEarly()
    {
        MainWindow& window = mainWindow();
        view(window, 0).Navigate(kAddress);
        view(window, 0).documentReady(kBody);
        return window;
    }
};

TEST_P(EarlyCaptureTest, TheCaptureAtCompletionLeavesWhatOneCaptureLeaves)
{
    const CaptureCase& row = GetParam();
    MainWindow& window = openEarly();
    view(window, 0).completeLoad("Page", row.finalBody);

    QStringList source = {"Navigate " + pathOf(WorkFiles::kSourcePage)};
    QStringList gallery = {"Navigate " + pathOf(WorkFiles::kImagePage)};
    for (const QString& request : row.sourceRequests)
        source << request + " " + pathOf(WorkFiles::kSourcePage);
    for (const QString& request : row.galleryRequests)
        gallery << request + " " + pathOf(WorkFiles::kImagePage);
    EXPECT_EQ(view(window, 1).requests, source);
    EXPECT_EQ(view(window, 2).requests, gallery);

    // One capture of the final body, in a folder of its own, gives the same files and lists.
    QTemporaryDir alone;
    const WorkFiles aloneFiles(alone.path().toStdString());
    ImageLists aloneLists;
    for (std::string_view name : WorkFiles::kAll)
        writeTextFile(aloneFiles.pathOf(name), "");
    CapturePage(aloneFiles, row.finalBody, kAddress, aloneLists);
    for (std::string_view name : WorkFiles::kAll)
        EXPECT_EQ(readTextFile(WorkFiles(directory()).pathOf(name)),
                  readTextFile(aloneFiles.pathOf(name)))
            << name;
    EXPECT_EQ(window.imageLists(), aloneLists);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, EarlyCaptureTest,
    ::testing::Values(CaptureCase{"Unchanged", kBody, {}, {}},
                      CaptureCase{"TextChanged",
                                  "<body><p>two</p><img src=\"a.gif\"></body>",
                                  {"NavigateKeepingPlace"},
                                  {}},
                      CaptureCase{"PictureAdded",
                                  "<body><p>one</p><img src=\"a.gif\"><img src=\"b.gif\"></body>",
                                  {"NavigateKeepingPlace"},
                                  {"NavigateKeepingPlace"}}),
    [](const ::testing::TestParamInfo<CaptureCase>& row) { return row.param.name; });

TEST_F(EarlyCaptureTest, AViewThatLeftItsPageLoadsTheChangedPageAfresh)
{
    MainWindow& window = openEarly();
    view(window, 1).Navigate("http://127.0.0.2/dir/a.gif"); // a link in the source page
    view(window, 0).completeLoad("Page", "<body><p>two</p><img src=\"a.gif\"></body>");
    EXPECT_EQ(view(window, 1).requests.last(), "Navigate " + pathOf(WorkFiles::kSourcePage));
}

TEST_F(EarlyCaptureTest, AnotherPageLoadsFromTheTop)
{
    MainWindow& window = openEarly();
    view(window, 0).Navigate("http://127.0.0.2/dir/other.html");
    view(window, 0).documentReady("<body><p>two</p><img src=\"a.gif\"></body>");
    EXPECT_EQ(view(window, 1).requests.last(), "Navigate " + pathOf(WorkFiles::kSourcePage));
    EXPECT_EQ(view(window, 2).requests.last(), "Navigate " + pathOf(WorkFiles::kImagePage));
}

TEST_F(EarlyCaptureTest, RefreshCapturesAtOnceEvenWhenNothingChanged)
{
    MainWindow& window = openEarly();
    const std::filesystem::path source = WorkFiles(directory()).pathOf(WorkFiles::kSourcePage);
    const std::string written = readTextFile(source);
    std::filesystem::remove(source);
    control<QToolButton>(window, "cmdRefresh").click();
    EXPECT_EQ(readTextFile(source), written);
}

TEST_F(EarlyCaptureTest, AnUnchangedBodyIsCapturedAgainAfterAFailedCapture)
{
    const std::filesystem::path source = WorkFiles(directory()).pathOf(WorkFiles::kSourcePage);
    std::filesystem::remove(source);
    std::filesystem::create_directory(source); // writing the source page fails
    MainWindow& window = openEarly();
    ASSERT_TRUE(std::filesystem::is_directory(source));

    std::filesystem::remove(source);
    view(window, 0).completeLoad("Page", kBody);
    EXPECT_NE(readTextFile(source).find("a.gif"), std::string::npos);
    EXPECT_EQ(view(window, 1).requests.last(), "Navigate " + pathOf(WorkFiles::kSourcePage));
}

} // namespace
} // namespace varrow::testing
