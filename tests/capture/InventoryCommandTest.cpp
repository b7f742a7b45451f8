// varrow-capture --load PAGE --inventory [--settle SECONDS]: its arguments and its run, with a
// lister that plays the page-rendering program.
#include "capture/cli/CaptureCommand.h"

#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>

namespace varrow
{
namespace
{

TEST(InventoryCommand, SettleTakesSecondsFromZeroToAnHour)
{
    const struct {
        const char* text;
        std::optional<double> seconds;
    } cases[] = {
        {"0", 0.0},
        {"2", 2.0},
        {"2.5", 2.5},
        {"3600", 3600.0},
        {"0.001", 0.001},
        {"", std::nullopt},
        {"-1", std::nullopt},
        {"3600.5", std::nullopt},
        {"2s", std::nullopt},
        {" 2", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"1e9", std::nullopt},
        {"+2", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseSettleSeconds(c.text), c.seconds) << '"' << c.text << '"';
}

TEST(InventoryCommand, MisuseIsRefusedWithTheUsage)
{
    const std::vector<std::string> misuses[] = {
        {"--inventory"},
        {"--url", "http://h/", "--inventory"},
        {"--inventory", "page.html"},
        {"--load", "page.html", "--settle", "2"},
        {"--load", "page.html", "--inventory", "--settle"},
        {"--load", "page.html", "--inventory", "--settle", "-1"},
        {"--load", "page.html", "--inventory", "--settle", "soon"},
        {"--load", "page.html", "--inventory", "--out", "dir"},
        {"--load", "page.html", "--inventory", "--lists"},
    };
    for (const auto& arguments : misuses) {
        std::ostringstream out, err;
        const ParsedCommand parsed = parseCaptureCommand(arguments, out, err);
        EXPECT_FALSE(parsed.options) << arguments.back();
        EXPECT_EQ(parsed.exitCode, 2) << arguments.back();
        EXPECT_NE(err.str().find("Usage:"), std::string::npos) << arguments.back();
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(InventoryCommand, HelpDescribesBothOptions)
{
    std::ostringstream out, err;
    EXPECT_EQ(parseCaptureCommand({"--help"}, out, err).exitCode, 0);
    EXPECT_NE(out.str().find("--inventory [--settle SECONDS]"), std::string::npos);
    EXPECT_NE(out.str().find("  --settle SECONDS\n"), std::string::npos);
}

TEST(InventoryCommand, PrintsWhatTheListerListsAndNamesAPageThatFails)
{
    std::ostringstream out, err;
    const ParsedCommand parsed =
        parseCaptureCommand({"--settle", "1.5", "--load", "http://h/p", "--inventory"}, out, err);
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->settleSeconds, 1.5);

    std::string asked;
    double waited = -1;
    const PageInventoryLister lister = [&](const std::string& page, double settleSeconds) {
        asked = page;
        waited = settleSeconds;
        return std::string("{\"url\":\"http://h/a.png\"}\n");
    };
    EXPECT_EQ(runInventoryCommand(*parsed.options, out, err, lister), 0);
    EXPECT_EQ(asked, "http://h/p");
    EXPECT_EQ(waited, 1.5);
    EXPECT_EQ(out.str(), "{\"url\":\"http://h/a.png\"}\n");
    EXPECT_TRUE(err.str().empty());

    std::ostringstream failedOut, failedErr;
    const PageInventoryLister failing = [](const std::string&, double) -> std::string {
        throw std::runtime_error("no such host");
    };
    EXPECT_EQ(runInventoryCommand(*parsed.options, failedOut, failedErr, failing), 1);
    EXPECT_EQ(failedErr.str(), "varrow-capture: cannot load http://h/p: no such host\n");
    EXPECT_TRUE(failedOut.str().empty());

    std::ostringstream lackingOut, lackingErr;
    EXPECT_EQ(runInventoryCommand(*parsed.options, lackingOut, lackingErr, {}), 1);
    EXPECT_NE(lackingErr.str().find("browser engine"), std::string::npos);
}

} // namespace
} // namespace varrow
