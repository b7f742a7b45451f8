#include "integration/modSkin.h"
#include "platform/browser/BrowserControl.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"

#include <QFrame>
#include <QLabel>

namespace varrow::testing
{
namespace
{

TEST(BannerStripTest, NarrowerByTheAllowanceOfTheScaleMode)
{
    const QRect twips(60, 1380, 7335, 945);
    EXPECT_EQ(bannerStrip(twips, ScaleMode::Twips), QRect(60, 1380, 7335 - 280, 945));
    const QRect pixels(4, 92, 489, 63);
    EXPECT_EQ(bannerStrip(pixels, ScaleMode::Pixels), QRect(4, 92, 489 - 20, 63));
}

using BannerTest = ShellFixture;

TEST_F(BannerTest, TheMainWindowsBannerBrowserSitsInItsStrip)
{
    MainWindow& window = mainWindow();
    auto* picBox = window.findChild<QFrame*>("picBox");
    ASSERT_NE(picBox, nullptr);
    QWidget* banner = control<BrowserControl>(window, "wbBanner").view();
    EXPECT_EQ(window.geometryOf(picBox), (TwipsRect{60, 1380, 7335 - 280, 945}));
    EXPECT_EQ(picBox->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(banner->parentWidget(), picBox);
    EXPECT_EQ(window.geometryOf(banner), (TwipsRect{0, 0, 7335, 945}));
    EXPECT_FALSE(picBox->isHidden());
    EXPECT_FALSE(banner->isHidden());
    EXPECT_TRUE(control<QLabel>(window, "wbPicture").isHidden());
    EXPECT_EQ(static_cast<FakeBrowser*>(&control<BrowserControl>(window, "wbBanner"))->requests,
              QStringList{"Navigate " + program->identity().BannerAddress});
    // The strip hides the browser's right edge.
    EXPECT_LT(picBox->width(), banner->width());
}

TEST_F(BannerTest, ARefusedBannerAddressLeavesTheStripEmpty)
{
    ProgramServices services = program->services();
    services.makeBrowser = [](QWidget* parent, BrowserRole role) {
        auto* browser = new FakeBrowser(parent, role);
        browser->refuseNavigation = true;
        return browser;
    };
    Program refusing(std::move(services));
    refusing.LoadIdentity();
    MainWindow& window = refusing.showMainWindow();
    EXPECT_NE(window.findChild<QFrame*>("picBox"), nullptr);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace varrow::testing
