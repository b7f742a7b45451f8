#include "windows/AboutWindow.h"

#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"
#include "windows/SiteWindow.h"

#include <QLabel>
#include <QTest>

namespace varrow::testing
{
namespace
{

using AboutWindowTest = ShellFixture;

TEST_F(AboutWindowTest, ShowsTheVersionInformationReadAtLoad)
{
    version = {"Varrow Studio", "Example Makers", "makers.example", 2, 0};
    AboutWindow& window = program->showAboutWindow();
    EXPECT_EQ(window.windowTitle(), "About Varrow"); // the identity read at start
    EXPECT_EQ(control<QLabel>(window, "Label1").text(), "Varrow Studio");
    EXPECT_EQ(control<QLabel>(window, "lblVersion").text(), "2.0");
    EXPECT_EQ(control<QLabel>(window, "lblCompany").text(), "Example Makers");
    EXPECT_EQ(control<QLabel>(window, "lblWebsite").text(), "makers.example");
    EXPECT_EQ(control<QLabel>(window, "Label2").text(), "Version:");
    EXPECT_EQ(control<QLabel>(window, "Label3").text(), "Owned By:");
    EXPECT_EQ(control<QLabel>(window, "Label4").text(), "Website:");

    version.major = 3;
    program->showAboutWindow(); // still loaded: not filled again
    EXPECT_EQ(control<QLabel>(window, "lblVersion").text(), "2.0");
}

TEST_F(AboutWindowTest, VersionNumbersHaveNoLeadingZeros)
{
    version.major = 10;
    version.minor = 7;
    EXPECT_EQ(control<QLabel>(program->showAboutWindow(), "lblVersion").text(), "10.7");
}

TEST_F(AboutWindowTest, TheWebsiteLabelOpensTheSiteWindowOnce)
{
    AboutWindow& window = program->showAboutWindow();
    QTest::mouseClick(&control<QLabel>(window, "lblWebsite"), Qt::LeftButton);
    SiteWindow* site = program->siteWindow();
    ASSERT_NE(site, nullptr);
    QTest::mouseClick(&control<QLabel>(window, "lblWebsite"), Qt::LeftButton);
    EXPECT_EQ(program->siteWindow(), site);
    EXPECT_EQ(static_cast<FakeBrowser*>(&control<BrowserControl>(*site, "WebBrowser1"))->requests,
              QStringList{"Navigate varrow.example"});

    QTest::mouseClick(&control<QLabel>(window, "Label4"),
                      Qt::LeftButton); // only the website label is a link
    EXPECT_EQ(program->siteWindow(), site);
}

} // namespace
} // namespace varrow::testing
