// The banner strip's own page on the real browser engine: the product and one tip, chosen by the
// address, inside the strip, with nothing fetched.
#include "platform/browser/WebEngineBrowser.h"
#include "shell/Identity.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/PageScript.h"

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
                  "  const timing = performance.getEntriesByType('navigation')[0];"
                  "  return { tips: document.querySelectorAll('.tip').length,"
                  "    shown: shown.map(tip => tip.id).join(),"
                  "    inside: !!box && box.bottom <= innerHeight && box.right <= innerWidth,"
                  "    product: document.querySelector('.product').innerText,"
                  "    fetched: performance.getEntriesByType('resource').length,"
                  "    loadMs: timing.loadEventEnd - timing.startTime }; })()")
            .toMap();
    EXPECT_EQ(shown["tips"].toInt(), kBannerTips);
    EXPECT_EQ(shown["shown"].toString(), QString("tip%1").arg(GetParam()));
    EXPECT_TRUE(shown["inside"].toBool());
    EXPECT_TRUE(shown["product"].toString().startsWith("Varrow"));
    EXPECT_EQ(shown["fetched"].toInt(), 0);
    RecordProperty("loadMs", shown["loadMs"].toString().toStdString());
}

INSTANTIATE_TEST_SUITE_P(EveryTip, BannerPageEngineTest, ::testing::Range(0, kBannerTips));

} // namespace
} // namespace varrow::testing
