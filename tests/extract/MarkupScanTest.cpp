#include "extract/MarkupScan.h"

#include "extract/TextSearch.h"
#include "tests/reference/LiteralCapture.h"

#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

// Markup files: any mix of markers in both cases, line ends of every kind and the cgi prefix.
std::string randomMarkup(std::mt19937& random)
{
    const std::string pieces[] = {"<img", "<IMG", "<a ",  "<A ",        "x",          " ",
                                  "\n",   "\r",   "\r\n", "cgi-bin/i/", "CGI-bin/I/", "a ",
                                  ">",    "src=", "<",    "img"};
    std::string markup;
    for (int i = static_cast<int>(random() % 30); i > 0; --i)
        markup += pieces[random() % std::size(pieces)];
    return markup + "\r\n";
}

TEST(TagLines, EqualsTheFiltersAroundTheHundredRepetitions)
{
    std::mt19937 random(7);
    for (const ScanParameters& parameters : {kImageScan, kLinkScan})
        for (int round = 0; round < 3000; ++round) {
            const std::string markup = randomMarkup(random);
            ASSERT_EQ(TagLines(parameters, markup), literal::tagLines(parameters, markup))
                << markup;
        }
}

// Runs one scanner over `markup` as captured from `page` and returns "address|name" lines.
std::vector<std::string> scan(const ScanParameters& parameters, const std::string& markup,
                              const std::string& page = "http://host/dir/page.htm")
{
    const ImageList findings = ScanMarkup(parameters, markup, page);
    std::vector<std::string> found;
    for (const FoundImage& image : findings)
        found.push_back(image.address + "|" + image.name);
    return found;
}

using Found = std::vector<std::string>;

TEST(Scan, ImageWorkedResults)
{
    const std::string markup =
        "<body><img src=\"pics/a.gif\" alt=\"a\">\r\n"
        "<IMG SRC='/img/b.jpg'><img src=\"http://other/c.png\">\r\n"
        "<img src=d.gif width=10><img src=\"pics/a.gif\"><img src=\"x/a.gif\">";
    EXPECT_EQ(scan(kImageScan, markup),
              (Found{"http://host/dir/pics/a.gif|a.gif", "http://host/img/b.jpg|b.jpg",
                     "http://other/c.png|c.png", "http://host/dir/d.gif |d.gif "}));
}

TEST(Scan, LinkWorkedResults)
{
    const std::string markup = "<a href=\"big/a.jpg\">A</a><A HREF='/photos/b.gif'>B</A>"
                               "<a href=\"http://other/c.bmp\">C</a>"
                               "<a href=\"page2.htm\"><img src=\"t.gif\"></a>"
                               "<a href=\"next.htm\">next</a>"
                               "<a href=\"host2/cgi-bin/i/x/d.jpeg\">D</a>"
                               "<a\thref=\"tab.gif\">tab</a><a href=\"e.png\">png</a>";
    EXPECT_EQ(scan(kLinkScan, markup),
              (Found{"http://host/dir/big/a.jpg|a.jpg", "http://host/photos/b.gif|b.gif",
                     "http://other/c.bmp|c.bmp", "http://host/dir/page2.htm|page2.htm",
                     "http://host/dir/host2/x/d.jpeg|d.jpeg"}));
}

// A link's line is admitted when an image extension stands anywhere in it, in any case and at
// any place among other dots; a dot before a near miss is not enough.
TEST(Scan, LinkLinesNeedAnImageExtensionAnywhere)
{
    struct Case {
        std::string_view text;
        bool isExtension;
    };
    for (const Case& candidate : {Case{".jpg", true}, Case{".JPEG", true}, Case{".Gif", true},
                                  Case{".bMp", true}, Case{".jp", false}, Case{".bm", false},
                                  Case{".jpx", false}, Case{"-jpg", false}, Case{".gi", false}})
        for (std::size_t before = 0; before < 40; ++before)
            for (const std::size_t after : {0, 1, 15, 16, 17}) {
                std::string markup = "<a href=\"p\">";
                for (std::size_t i = 0; i < before; ++i)
                    markup += "x.-"[i % 3];
                markup += candidate.text;
                for (std::size_t i = 0; i < after; ++i)
                    markup += "-.."[i % 3];
                EXPECT_EQ(scan(kLinkScan, markup),
                          candidate.isExtension ? Found{"http://host/dir/p|p"} : Found{})
                    << markup;
            }
}

TEST(Scan, SchemesAndProtocolRelativeReferencesStayAbsolute)
{
    const std::string markup = "<img src=\"https://cdn/a.png\"><img src=\"DATA:image/png;x\">"
                               "<img src=\"//cdn/b.png\"><img src=\"javascript:c.png\">";
    EXPECT_EQ(scan(kImageScan, markup, "https://host/dir/page.htm"),
              (Found{"https://cdn/a.png|a.png", "DATA:image/png;x|png;x", "https://cdn/b.png|b.png",
                     "https://host/dir/javascript:c.png|javascript:c.png"}));
}

TEST(Scan, RootRelativeOnOtherSchemesAndBareHosts)
{
    EXPECT_EQ(scan(kImageScan, "<img src=\"/i/a.png\">", "https://host/dir/page.htm"),
              Found{"https://host/i/a.png|a.png"});
    EXPECT_EQ(scan(kImageScan, "<img src=\"/i/a.png\">", "http://example.com"),
              Found{"http://example.com/i/a.png|a.png"});
}

TEST(Scan, ParentReferencesClimbButNotAboveTheHost)
{
    EXPECT_EQ(scan(kImageScan, "<img src=\"../img/a.gif\"><img src=\"../../../../b.gif\">",
                   "http://host/a/b/page.htm"),
              (Found{"http://host/a/img/a.gif|a.gif", "http://host/b.gif|b.gif"}));
}

TEST(Scan, ValuesNotClosedOnTheirLineAndUnquotedValues)
{
    EXPECT_EQ(scan(kImageScan, "<img src=\"long.gif\" srcset=\"a 1x,\r\nb 2x\">"),
              Found{"http://host/dir/long.gif|long.gif"});
    EXPECT_EQ(scan(kImageScan, "<img src=d.gif><img src=e.gif alt=\"x\">"),
              (Found{"http://host/dir/d.gif|d.gif", "http://host/dir/e.gif |e.gif "}));
}

TEST(Scan, FailingLineIsSkippedAndTheScanGoesOn)
{
    EXPECT_EQ(scan(kImageScan, "<img alt=\"x\"> <p src=\"no.gif\">\r\n<img src=\"yes.gif\">"),
              Found{"http://host/dir/yes.gif|yes.gif"});
}

TEST(PageDirectory, SuffixesAndSlash)
{
    EXPECT_EQ(PageDirectory("http://host/dir/page.htm"), "http://host/dir/");
    EXPECT_EQ(PageDirectory("http://host/dir/"), "http://host/dir/");
    EXPECT_EQ(PageDirectory("http://example.com"), "http://example.com");
    EXPECT_EQ(PageDirectory("http://example.COM"), "example.COM/");
}

} // namespace
} // namespace varrow
