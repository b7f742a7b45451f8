// Which requests for local files and which WebSockets a browsing page and a generated page may
// make, over a small tree of real files.
#include "platform/browser/LocalFilePolicy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace varrow
{
namespace
{

using Info = QWebEngineUrlRequestInfo;

// Addresses that begin with "~/" name a file in the tree; the rest are taken as they are.
const QString kPage("~/saved/page.html");
const QString kBesidePage("~/saved/own.css");
const QString kSavedPicture("~/saved/page_files/cat.png");
const QString kLocalFile("~/secret.txt");
const QString kLocalPicture("~/pictures/cat.png");
const QString kThroughLink("~/saved/way-out/secret.txt"); // the link leads to the tree's root
const QString kMissing("~/saved/missing.png");
const QString kGallery("~/program/images.htm");
const QString kWebPage("http://127.0.0.2/page.html");
const QString kWebPicture("https://127.0.0.3/cat.png");
const QString kDataPicture("data:image/png;base64,iVBORw0KGgo=");
const QString kWebSocket("ws://127.0.0.1:8080/");

struct Case {
    std::string name;
    BrowserRole role;
    QString capturedPage; // for generated pages; empty when none was named
    QString page;         // the top-level page that makes the request
    QString request;
    Info::ResourceType type;
    bool allowed;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

class LocalFilePolicyTest : public ::testing::TestWithParam<Case>
{
protected:
    static void SetUpTestSuite()
    {
        tree = std::make_unique<QTemporaryDir>();
        const QDir root(tree->path());
        root.mkpath("saved/page_files");
        root.mkpath("pictures");
        for (const QString& file : {kPage, kBesidePage, kSavedPicture, kLocalFile, kLocalPicture}) {
            QFile made(root.filePath(file.mid(2)));
            ASSERT_TRUE(made.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QFile::link(root.path(), root.filePath("saved/way-out")));
    }
    static void TearDownTestSuite() { tree.reset(); }

    static QUrl at(const QString& address)
    {
        if (address.startsWith("~/"))
            return QUrl::fromLocalFile(QDir(tree->path()).filePath(address.mid(2)));
        return QUrl(address);
    }

    static inline std::unique_ptr<QTemporaryDir> tree;
};

TEST_P(LocalFilePolicyTest, DecidesAsABrowserVendorWould)
{
    const Case& c = GetParam();
    LocalFilePolicy policy(c.role);
    if (!c.capturedPage.isEmpty())
        policy.setCapturedPage(at(c.capturedPage));
    EXPECT_EQ(policy.allows(at(c.request), c.type, at(c.page)), c.allowed);
}

constexpr BrowserRole kBrowsing = BrowserRole::Browsing;
constexpr BrowserRole kGenerated = BrowserRole::GeneratedPage;

INSTANTIATE_TEST_SUITE_P(
    Requests, LocalFilePolicyTest,
    ::testing::Values(
        // A local page shows files from its own folder and below, but no script of it reads one.
        Case{"BrowsingOpensALocalPage",
             kBrowsing,
             {},
             kPage,
             kLocalFile,
             Info::ResourceTypeMainFrame,
             true},
        Case{"BrowsingShowsAPictureOfTheSavedPage",
             kBrowsing,
             {},
             kPage,
             kSavedPicture,
             Info::ResourceTypeImage,
             true},
        Case{"BrowsingLoadsAStyleSheetBesideThePage",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeStylesheet,
             true},
        Case{"BrowsingRunsAScriptBesideThePage",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeScript,
             true},
        Case{"BrowsingLoadsAFontBesideThePage",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeFontResource,
             true},
        Case{"BrowsingPlaysMediaBesideThePage",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeMedia,
             true},
        Case{"BrowsingShowsAnIconOfTheSavedPage",
             kBrowsing,
             {},
             kPage,
             kSavedPicture,
             Info::ResourceTypeFavicon,
             true},
        Case{"BrowsingShowsNoPictureFromAnotherFolder",
             kBrowsing,
             {},
             kPage,
             kLocalPicture,
             Info::ResourceTypeImage,
             false},
        Case{"BrowsingRunsNoScriptFromAFolderAbove",
             kBrowsing,
             {},
             kPage,
             kLocalFile,
             Info::ResourceTypeScript,
             false},
        Case{"BrowsingFollowsNoLinkOutOfThePagesFolder",
             kBrowsing,
             {},
             kPage,
             kThroughLink,
             Info::ResourceTypeStylesheet,
             false},
        Case{"BrowsingLoadsNoMissingFile",
             kBrowsing,
             {},
             kPage,
             kMissing,
             Info::ResourceTypeImage,
             false},
        Case{"BrowsingRefusesRequestsAndFetch",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeXhr,
             false},
        Case{"BrowsingRefusesFrames",
             kBrowsing,
             {},
             kPage,
             kPage,
             Info::ResourceTypeSubFrame,
             false},
        Case{"BrowsingRefusesObjects",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeObject,
             false},
        Case{"BrowsingRefusesWorkers",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeWorker,
             false},
        Case{"BrowsingRefusesSharedWorkers",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeSharedWorker,
             false},
        Case{"BrowsingRefusesServiceWorkers",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeServiceWorker,
             false},
        Case{"BrowsingRefusesOtherSubresources",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeSubResource,
             false},
        Case{"BrowsingRefusesPrefetches",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypePrefetch,
             false},
        Case{"BrowsingRefusesUnknownKinds",
             kBrowsing,
             {},
             kPage,
             kBesidePage,
             Info::ResourceTypeUnknown,
             false},
        // A local page opens no WebSocket; a web page's are the engine's to decide.
        Case{"ALocalPageOpensNoWebSocket",
             kBrowsing,
             {},
             kPage,
             kWebSocket,
             Info::ResourceTypeWebSocket,
             false},
        Case{"AGeneratedPageOpensNoWebSocket", kGenerated, kWebPage, kGallery, kWebSocket,
             Info::ResourceTypeWebSocket, false},
        Case{"BrowsingLeavesWebSocketsOfWebPagesToTheEngine",
             kBrowsing,
             {},
             kWebPage,
             kWebSocket,
             Info::ResourceTypeWebSocket,
             true},
        Case{"BrowsingLeavesWebRequestsToTheEngine",
             kBrowsing,
             {},
             kWebPage,
             kWebPage,
             Info::ResourceTypeXhr,
             true},
        Case{"BrowsingLeavesWebFramesToTheEngine",
             kBrowsing,
             {},
             kWebPage,
             kWebPage,
             Info::ResourceTypeSubFrame,
             true},
        Case{"BrowsingLeavesWebPicturesOfALocalPageToTheEngine",
             kBrowsing,
             {},
             kPage,
             kWebPicture,
             Info::ResourceTypeImage,
             true},
        // A generated page shows local pictures only for a captured local page, from anywhere.
        Case{"GalleryOfALocalPageShowsLocalPictures", kGenerated, kPage, kGallery, kLocalPicture,
             Info::ResourceTypeImage, true},
        Case{"GalleryOfAWebPageShowsNoLocalPicture", kGenerated, kWebPage, kGallery, kLocalPicture,
             Info::ResourceTypeImage, false},
        Case{"GalleryOfAnUnnamedPageShowsNoLocalPicture",
             kGenerated,
             {},
             kGallery,
             kLocalPicture,
             Info::ResourceTypeImage,
             false},
        Case{"GalleryOfALocalPageLoadsNoLocalStyleSheet", kGenerated, kPage, kGallery, kLocalFile,
             Info::ResourceTypeStylesheet, false},
        Case{"GalleryOfALocalPageLoadsNoLocalFrame", kGenerated, kPage, kGallery, kPage,
             Info::ResourceTypeSubFrame, false},
        Case{"GeneratedPageOpensAsAPage", kGenerated, kWebPage, kGallery, kGallery,
             Info::ResourceTypeMainFrame, true},
        Case{"GalleryShowsWebPictures", kGenerated, kWebPage, kGallery, kWebPicture,
             Info::ResourceTypeImage, true},
        Case{"GalleryShowsDataPictures", kGenerated, kWebPage, kGallery, kDataPicture,
             Info::ResourceTypeImage, true},
        Case{"GalleryOfALocalPageShowsWebPictures", kGenerated, kPage, kGallery, kWebPicture,
             Info::ResourceTypeImage, true}),
    [](const ::testing::TestParamInfo<Case>& row) { return row.param.name; });

TEST(LocalFilePolicy, TheLastCapturedPageDecides)
{
    const QUrl localPage("file:///home/person/saved/page.html");
    const QUrl webPage("http://127.0.0.2/page.html");
    const QUrl localPicture("file:///home/person/pictures/cat.png");
    const QUrl gallery("file:///home/person/program/images.htm");
    LocalFilePolicy policy(BrowserRole::GeneratedPage);
    policy.setCapturedPage(localPage);
    policy.setCapturedPage(webPage);
    EXPECT_FALSE(policy.allows(localPicture, Info::ResourceTypeImage, gallery));
    policy.setCapturedPage(localPage);
    EXPECT_TRUE(policy.allows(localPicture, Info::ResourceTypeImage, gallery));
}

} // namespace
} // namespace varrow
