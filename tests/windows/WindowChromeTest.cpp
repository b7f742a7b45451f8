#include "platform/desktop/WindowChrome.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

// The status bar lies along the bottom of the client area, across its width, 315 twips high,
// however the area is sized.
TEST(WindowChromeTest, StatusBarDocksAlongTheBottom)
{
    QWidget window;
    DesignGeometry design(window);
    QWidget bar(&window);
    for (const QSize client : {QSize(800, 600), QSize(200, 40), QSize(1, 1)}) {
        dockStatusBar(design, bar, client);
        const TwipsRect placed = design.of(&bar);
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.top, design.toTwipsY(client.height()) - kStatusBarHeight);
        EXPECT_EQ(placed.width, design.toTwipsX(client.width()));
        EXPECT_EQ(placed.height, kStatusBarHeight);
    }
}

TEST(WindowChromeTest, ButtonsShowTheirCaptionUnderThePictureOrThePictureAlone)
{
    QWidget window;
    DesignGeometry design(window);
    struct Case {
        ButtonDesign button;
        Qt::ToolButtonStyle style;
    };
    for (const Case& c : {Case{{"Back", "Go back", {60, 60, 915, 855}, ":/varrow/back.png"},
                               Qt::ToolButtonTextUnderIcon},
                          Case{{QString(), "browse", {540, 600, 435, 435}, ":/varrow/go.png"},
                               Qt::ToolButtonIconOnly}}) {
        QToolButton* made = makeButton(&window, design, "made", c.button);
        EXPECT_EQ(made->parent(), &window);
        EXPECT_EQ(made->objectName(), "made");
        EXPECT_EQ(made->text(), c.button.caption);
        EXPECT_EQ(made->toolTip(), c.button.toolTip);
        EXPECT_EQ(made->toolButtonStyle(), c.style);
        EXPECT_TRUE(design.of(made) == c.button.twips);
        delete made;
    }
}

} // namespace
} // namespace varrow::testing
