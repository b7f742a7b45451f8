// Which requests for local files a browsing page and a generated page may make.
#include "platform/browser/LocalFilePolicy.h"

#include <gtest/gtest.h>
#include <string>

namespace varrow
{
namespace
{

using Info = QWebEngineUrlRequestInfo;

const QUrl kLocalFile("file:///home/person/secret.txt");
const QUrl kLocalPicture("file:///home/person/pictures/cat.png");
const QUrl kLocalPage("file:///home/person/saved/page.html");
const QUrl kWebPage("http://127.0.0.2/page.html");
const QUrl kWebPicture("https://127.0.0.3/cat.png");
const QUrl kDataPicture("data:image/png;base64,iVBORw0KGgo=");

struct Case {
    std::string name;
    BrowserRole role;
    QUrl capturedPage; // for generated pages; empty when none was named
    QUrl request;
    Info::ResourceType type;
    bool allowed;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class LocalFilePolicyTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(LocalFilePolicyTest, DecidesAsABrowserVendorWould)
{
    const Case& c = GetParam();
    LocalFilePolicy policy(c.role);
    if (!c.capturedPage.isEmpty())
        policy.setCapturedPage(c.capturedPage);
    EXPECT_EQ(policy.allows(c.request, c.type), c.allowed);
}

constexpr BrowserRole kBrowsing = BrowserRole::Browsing;
constexpr BrowserRole kGenerated = BrowserRole::GeneratedPage;

INSTANTIATE_TEST_SUITE_P(
    Requests, LocalFilePolicyTest,
    ::testing::Values(
        // A browsing page shows local files but no script of it reads one.
        Case{"BrowsingOpensALocalPage",
             kBrowsing,
             {},
             kLocalPage,
             Info::ResourceTypeMainFrame,
             true},
        Case{"BrowsingShowsALocalPicture",
             kBrowsing,
             {},
             kLocalPicture,
             Info::ResourceTypeImage,
             true},
        Case{"BrowsingLoadsALocalStyleSheet",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeStylesheet,
             true},
        Case{"BrowsingRunsALocalScript", kBrowsing, {}, kLocalFile, Info::ResourceTypeScript, true},
        Case{"BrowsingLoadsALocalFont",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeFontResource,
             true},
        Case{"BrowsingPlaysLocalMedia", kBrowsing, {}, kLocalFile, Info::ResourceTypeMedia, true},
        Case{"BrowsingShowsALocalIcon",
             kBrowsing,
             {},
             kLocalPicture,
             Info::ResourceTypeFavicon,
             true},
        Case{"BrowsingRefusesRequestsAndFetch",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeXhr,
             false},
        Case{"BrowsingRefusesFrames", kBrowsing, {}, kLocalPage, Info::ResourceTypeSubFrame, false},
        Case{"BrowsingRefusesObjects", kBrowsing, {}, kLocalFile, Info::ResourceTypeObject, false},
        Case{"BrowsingRefusesWorkers", kBrowsing, {}, kLocalFile, Info::ResourceTypeWorker, false},
        Case{"BrowsingRefusesSharedWorkers",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeSharedWorker,
             false},
        Case{"BrowsingRefusesServiceWorkers",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeServiceWorker,
             false},
        Case{"BrowsingRefusesOtherSubresources",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeSubResource,
             false},
        Case{"BrowsingRefusesPrefetches",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypePrefetch,
             false},
        Case{"BrowsingRefusesUnknownKinds",
             kBrowsing,
             {},
             kLocalFile,
             Info::ResourceTypeUnknown,
             false},
        Case{"BrowsingLeavesWebRequestsToTheEngine",
             kBrowsing,
             {},
             kWebPage,
             Info::ResourceTypeXhr,
             true},
        Case{"BrowsingLeavesWebFramesToTheEngine",
             kBrowsing,
             {},
             kWebPage,
             Info::ResourceTypeSubFrame,
             true},
        // A generated page shows local pictures only for a captured local page.
        Case{"GalleryOfALocalPageShowsLocalPictures", kGenerated, kLocalPage, kLocalPicture,
             Info::ResourceTypeImage, true},
        Case{"GalleryOfAWebPageShowsNoLocalPicture", kGenerated, kWebPage, kLocalPicture,
             Info::ResourceTypeImage, false},
        Case{"GalleryOfAnUnnamedPageShowsNoLocalPicture",
             kGenerated,
             {},
             kLocalPicture,
             Info::ResourceTypeImage,
             false},
        Case{"GalleryOfALocalPageLoadsNoLocalStyleSheet", kGenerated, kLocalPage, kLocalFile,
             Info::ResourceTypeStylesheet, false},
        Case{"GalleryOfALocalPageLoadsNoLocalFrame", kGenerated, kLocalPage, kLocalPage,
             Info::ResourceTypeSubFrame, false},
        Case{"GeneratedPageOpensAsAPage", kGenerated, kWebPage, kLocalPage,
             Info::ResourceTypeMainFrame, true},
        Case{"GalleryShowsWebPictures", kGenerated, kWebPage, kWebPicture, Info::ResourceTypeImage,
             true},
        Case{"GalleryShowsDataPictures", kGenerated, kWebPage, kDataPicture,
             Info::ResourceTypeImage, true},
        Case{"GalleryOfALocalPageShowsWebPictures", kGenerated, kLocalPage, kWebPicture,
             Info::ResourceTypeImage, true}),
    [](const ::testing::TestParamInfo<Case>& row) { return row.param.name; });

TEST(LocalFilePolicy, TheLastCapturedPageDecides)
{
    LocalFilePolicy policy(BrowserRole::GeneratedPage);
    policy.setCapturedPage(kLocalPage);
    policy.setCapturedPage(kWebPage);
    EXPECT_FALSE(policy.allows(kLocalPicture, Info::ResourceTypeImage));
    policy.setCapturedPage(kLocalPage);
    EXPECT_TRUE(policy.allows(kLocalPicture, Info::ResourceTypeImage));
}

} // namespace
} // namespace varrow
