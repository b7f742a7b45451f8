// The main and splash windows against a fake context: what each asks of the program around it.
#include "integration/Skin.h"
#include "shell/MainWindow.h"
#include "shell/SplashWindow.h"
#include "tests/shell/FakeWindowContext.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

TEST(WindowContextTest, ClosingTheMainWindowEndsTheProgramOnlyWithoutAVisibleSiteWindow)
{
    struct Case {
        bool siteVisible;
        QStringList calls;
    };
    const QStringList unloads{"unloadHelpWindow", "unloadSplashWindow"};
    const Case cases[] = {
        {false, unloads + QStringList{"EndProgram"}},
        {true, unloads + QStringList{"setMainWindowClosed true", "forgetWindow Form1"}},
    };
    for (const Case& c : cases) {
        FakeWindowContext context;
        context.siteVisible = c.siteVisible;
        QPointer<MainWindow> window = new MainWindow(context);
        window->close();
        EXPECT_EQ(context.calls, c.calls) << c.siteVisible;
        EXPECT_EQ(context.mainWindowClosed(), c.siteVisible);
        delete window.data();
    }
}

TEST(WindowContextTest, TheSplashWindowOpensTheMainWindowOnceOnItsLastTick)
{
    FakeWindowContext context;
    Skin skin;
    SplashWindow splash(context, skin);
    splash.load();
    EXPECT_EQ(context.calls, (QStringList{"setMainWindowClosed false", "LoadIdentity"}));
    context.calls.clear();
    for (int tick = 0; tick < 80; ++tick)
        splash.tick();
    EXPECT_EQ(context.calls, QStringList{"showMainWindow"});
}

} // namespace
} // namespace varrow::testing
