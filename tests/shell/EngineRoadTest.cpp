// The road of one page on the real browser engine: served from 127.0.0.1, loaded in the browser
// view, captured, and shown in the Source Code and Images views.
#include "tests/shell/EngineFixture.h"

namespace varrow::testing
{
namespace
{

const QByteArray kPage = R"(<!DOCTYPE html><html><head><title>Road</title>
<link rel="icon" href="head-only.png"></head>
<body><h1>Pictures</h1><img src="pic.png" alt="p"><a href="/other/big.jpg">big</a></body></html>)";

class EngineRoadTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        server.serve("/dir/page.html", kPage);
        server.serve("/dir/second.html", "<html><body><p>second</p></body></html>");
        server.serve("/dir/drawing.svg",
                     "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'/>",
                     "image/svg+xml");
        EngineFixture::SetUp();
    }
};

TEST_F(EngineRoadTest, ALoadedPageIsCapturedAndShownInTheOtherViews)
{
    go(server.address("/dir/page.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !window->lists.frmList[ImageLists::kEmbeddedImages].empty(); }, kPatienceMs));

    EXPECT_EQ(window->lists.Links[ImageLists::kEmbeddedImages],
              std::vector<std::string>{server.address("/dir/pic.png").toStdString()});
    EXPECT_EQ(window->lists.Links[ImageLists::kLinkedImages],
              std::vector<std::string>{server.address("/other/big.jpg").toStdString()});
    const std::string source = workFile(WorkFiles::kSourcePage);
    EXPECT_NE(source.find("pic.png</a>"), std::string::npos);
    EXPECT_EQ(source.find("head-only"), std::string::npos); // the head is not captured
    EXPECT_NE(workFile(WorkFiles::kImagePage).find("/dir/pic.png"), std::string::npos);
    EXPECT_EQ(workFile(WorkFiles::kMarkup), "\r\n");
    EXPECT_EQ(window->txtUrl->text(), server.address("/dir/page.html"));

    const auto shows = [&](int view, std::string_view name) {
        const QUrl expected = QUrl::fromLocalFile(
            QString::fromStdString(WorkFiles(directory()).pathOf(name).string()));
        return QTest::qWaitFor(
            [&] {
                return window->wb[static_cast<size_t>(view)]->LocationURL() == expected.toString();
            },
            kPatienceMs);
    };
    EXPECT_TRUE(shows(1, WorkFiles::kSourcePage));
    EXPECT_TRUE(shows(2, WorkFiles::kImagePage));
}

TEST_F(EngineRoadTest, BackAndForwardMoveAcrossRealPages)
{
    go(server.address("/dir/page.html"));
    ASSERT_TRUE(browserShows(server.address("/dir/page.html")));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window->wb[0]->LocationName() == "Road"; }, kPatienceMs));
    go(server.address("/dir/second.html"));
    ASSERT_TRUE(browserShows(server.address("/dir/second.html")));

    window->cmbBack->click();
    EXPECT_TRUE(browserShows(server.address("/dir/page.html")));
    window->cmdForward->click();
    EXPECT_TRUE(browserShows(server.address("/dir/second.html")));
    window->cmdForward->click(); // no later page: nothing happens, nothing is thrown
    QTest::qWait(200);
    EXPECT_EQ(window->wb[0]->LocationURL(), server.address("/dir/second.html"));
}

TEST_F(EngineRoadTest, ADocumentWithoutABodyGivesEmptyPages)
{
    go(server.address("/dir/page.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !window->lists.frmList[ImageLists::kEmbeddedImages].empty(); }, kPatienceMs));
    go(server.address("/dir/drawing.svg"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return workFile(WorkFiles::kSourcePage) == "\r\n"; }, kPatienceMs));
    EXPECT_EQ(workFile(WorkFiles::kImagePage), "\r\n");
    EXPECT_TRUE(window->lists.Links[ImageLists::kEmbeddedImages].empty());
}

} // namespace
} // namespace varrow::testing
