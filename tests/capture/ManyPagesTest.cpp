// The real-page corpus put together in one page, as the capture bench takes it: the tag split and
// the source page must be what the literal passes give on a page of that size too.

#include "capture/SourcePage.h"
#include "extract/MarkupScan.h"
#include "platform/textfile/TextFile.h"
#include "tests/reference/LiteralCapture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace varrow
{
namespace
{

const std::filesystem::path kCorpus = VARROW_CORPUS_DIR;
constexpr std::string_view kAddress = "http://pages.example/corpus/page.html";

std::string manyPagesPage()
{
    std::vector<std::filesystem::path> pages;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "pages"))
        if (entry.path().extension() == ".body")
            pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    std::string markup;
    for (const auto& path : pages)
        markup += readTextFile(path);
    return markup;
}

TEST(ManyPagesPage, TagSplitEqualsTheLiteralPasses)
{
    const std::string markup = manyPagesPage();
    for (const ScanParameters& parameters : {kImageScan, kLinkScan})
        EXPECT_TRUE(TagLines(parameters, markup) == literal::tagLines(parameters, markup))
            << parameters.tagMarker;
}

// The literal substitution makes one pass over the whole page per name, so it takes every fifth
// name that the scans find, which still links names inside earlier links' addresses and names.
TEST(ManyPagesPage, SourcePageEqualsTheLiteralPasses)
{
    const std::string markup = manyPagesPage();
    ImageLists lists;
    for (const ScanParameters& parameters : {kImageScan, kLinkScan}) {
        const ScanFindings found = ScanMarkup(parameters, markup, kAddress);
        for (std::size_t i = 0; i < found.names.size(); i += 5) {
            lists.frmList[parameters.listIndex].push_back(found.names[i]);
            lists.Links[parameters.listIndex].push_back(found.addresses[i]);
        }
    }
    ASSERT_GT(lists.frmList[ImageLists::kLinkedImages].size(), 50u);
    ASSERT_GT(lists.frmList[ImageLists::kEmbeddedImages].size(), 100u);
    EXPECT_TRUE(BuildSourcePage(markup, lists) ==
                literal::sourcePage(markup, lists, kSourcePageBound));
}

} // namespace
} // namespace varrow
