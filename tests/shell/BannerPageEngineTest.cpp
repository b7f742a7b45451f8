// The banner strip's own page on the real browser engine: the product and one tip, chosen by the
// address, inside the strip, with nothing fetched.
#include "platform/browser/WebEngineBrowser.h"
#include "shell/Identity.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/PageScript.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

constexpr int kPatienceMs = 30000;
// The strip's visible part at 96 dots per inch: 7335 - 280 by 945 twips.
constexpr QSize kStrip(470, 63);
// Milliseconds from the navigation's start to the end of the page's load event.
const QString kLoadTime = "(t => t.loadEventEnd - t.startTime)"
                          "(performance.getEntriesByType('navigation')[0])";

class BannerPageEngineTest : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { LoopbackOnly::install(); }
};

TEST_P(BannerPageEngineTest, ShowsTheProductAndTheAddressedTipInsideTheStrip)
{
    QWidget strip;
    strip.resize(kStrip);
    WebEngineBrowser banner(&strip, BrowserRole::Browsing);
    banner.view()->resize(kStrip);
    strip.show();
    QSignalSpy loaded(&banner, &BrowserControl::DownloadComplete);
    banner.Navigate(bannerAddress(VARROW_DATA_DIR, GetParam()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() > 0; }, kPatienceMs));

    const QVariantMap shown =
        runInPage(banner.view(),
                  "(() => { const shown = [...document.querySelectorAll('.tip')]"
                  "    .filter(tip => getComputedStyle(tip).display !== 'none');"
                  "  const box = shown.length ? shown[0].getBoundingClientRect() : null;"
                  "  return { tips: document.querySelectorAll('.tip').length,"
                  "    shown: shown.map(tip => tip.id).join(),"
                  "    inside: !!box && box.bottom <= innerHeight && box.right <= innerWidth,"
                  "    product: document.querySelector('.product').innerText,"
                  "    fetched: performance.getEntriesByType('resource').length,"
                  "    loadMs: (" +
                      kLoadTime + ") }; })()")
            .toMap();
    EXPECT_EQ(shown["tips"].toInt(), kBannerTips);
    EXPECT_EQ(shown["shown"].toString(), QString("tip%1").arg(GetParam()));
    EXPECT_TRUE(shown["inside"].toBool());
    EXPECT_TRUE(shown["product"].toString().startsWith("Varrow"));
    EXPECT_EQ(shown["fetched"].toInt(), 0);
    // From the navigation's start in a fresh view, which starts its renderer first, and once more
    // in the same view.
    RecordProperty("loadMs", shown["loadMs"].toString().toStdString());
    banner.Refresh();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loaded.count() > 1; }, kPatienceMs));
    RecordProperty("reloadMs", runInPage(banner.view(), kLoadTime).toString().toStdString());

    const QString screenshots = qEnvironmentVariable("VARROW_SCREENSHOTS");
    if (!screenshots.isEmpty())
        banner.view()->grab().save(
            QDir(screenshots).filePath(QString("banner-tip%1.png").arg(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(EveryTip, BannerPageEngineTest, ::testing::Range(0, kBannerTips));

} // namespace
} // namespace varrow::testing
