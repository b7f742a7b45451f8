#include "shell/StatusMessages.h"

#include "platform/desktop/StatusBar.h"

#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

using Lasts = StatusMessages::Lasts;

struct Case {
    const char* name;
    Lasts lasts;
    void (StatusMessages::*event)();
    const char* panelAfterEvent;
    const char* panelAfterNextText;
};

TEST(StatusMessagesTest, AMessageKeepsPassingTextsBackUntilItsEnd)
{
    const Case cases[] = {
        {"capture message, next page load", Lasts::UntilPageLoad, &StatusMessages::pageLoadBegan,
         "Opening b", "Done"},
        {"capture message, next command", Lasts::UntilPageLoad, &StatusMessages::commandRan,
         "Opening b", "Done"},
        {"start-up notice, page load", Lasts::UntilCommand, &StatusMessages::pageLoadBegan,
         "notice", "notice"},
        {"start-up notice, next command", Lasts::UntilCommand, &StatusMessages::commandRan,
         "Opening b", "Done"},
    };
    for (const Case& c : cases) {
        StatusBar bar;
        StatusMessages messages(bar);
        messages.showPassing("Opening a");
        messages.showLasting("notice", c.lasts);
        messages.showPassing("Done");
        messages.showPassing("Opening b");
        EXPECT_EQ(bar.panelText(1), "notice") << c.name;
        (messages.*c.event)();
        EXPECT_EQ(bar.panelText(1), c.panelAfterEvent) << c.name;
        messages.showPassing("Done");
        EXPECT_EQ(bar.panelText(1), c.panelAfterNextText) << c.name;
    }
}

TEST(StatusMessagesTest, AnEndWithNothingKeptBackLeavesTheMessage)
{
    StatusBar bar;
    StatusMessages messages(bar);
    messages.showLasting("Capture incomplete: x", Lasts::UntilPageLoad);
    messages.commandRan();
    EXPECT_EQ(bar.panelText(1), "Capture incomplete: x");
    messages.showPassing("Done");
    EXPECT_EQ(bar.panelText(1), "Done");
}

} // namespace
} // namespace varrow::testing
