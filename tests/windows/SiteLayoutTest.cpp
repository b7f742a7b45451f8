#include "windows/SiteLayout.h"

#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

// The site window's design: status bar 315 high, Text1 at 540, Command3 795 wide, WebBrowser1 at
// 120, 1140.
SiteLayout arrange(int width, int height)
{
    return arrangeSiteWindow({width, height, 315, 540, 795, 120, 1140});
}

TEST(SiteLayoutTest, DesignSizedWindow)
{
    const SiteLayout layout = arrange(10545, 8580);
    EXPECT_EQ(layout.panel1Width, 5272); // half a twip is dropped
    EXPECT_EQ(layout.panel2Width, 5272);
    EXPECT_EQ(layout.frameHeight, 8580 - 315);
    EXPECT_EQ(layout.frameWidth, 10545 - 300);
    EXPECT_EQ(layout.addressWidth, 10245 - 540 - 300 - 795);
    EXPECT_EQ(layout.browseLeft, 8610 + 540 + 100);
    EXPECT_EQ(layout.browserWidth, 10245 - 120 - 100);
    EXPECT_EQ(layout.browserHeight, 8265 - 1140 - 800 - 315);
}

TEST(SiteLayoutTest, TinyWindowTakesAbsoluteValues)
{
    const SiteLayout layout = arrange(500, 200);
    EXPECT_EQ(layout.panel1Width, 250);
    EXPECT_EQ(layout.frameHeight, 315 - 200);
    EXPECT_EQ(layout.frameWidth, 500 - 300);
    EXPECT_EQ(layout.addressWidth, 540 + 300 + 795 - 200);
    EXPECT_EQ(layout.browseLeft, 1435 + 540 + 100);
    EXPECT_EQ(layout.browserWidth, 120 + 100 - 200);
    EXPECT_EQ(layout.browserHeight, 1140 + 800 + 315 - 115);
}

TEST(SiteLayoutTest, EverySizeIsZeroOrAboveForAnyWindow)
{
    for (int width = 0; width <= 12000; width += 250) {
        for (int height = 0; height <= 9000; height += 250) {
            const SiteLayout l = arrange(width, height);
            for (const int size : {l.panel1Width, l.panel2Width, l.frameWidth, l.frameHeight,
                                   l.addressWidth, l.browseLeft, l.browserWidth, l.browserHeight})
                ASSERT_GE(size, 0) << width << " x " << height;
        }
    }
}

} // namespace
} // namespace varrow::testing
