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

// Every corpus page in one page; with `endBytes`, only the first and the last `endBytes` bytes of
// each, so that the joins between the pages stay.
std::string manyPagesPage(std::size_t endBytes = std::string::npos)
{
    std::vector<std::filesystem::path> pages;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "pages"))
        if (entry.path().extension() == ".body")
            pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());
    std::string markup;
    for (const auto& path : pages) {
        const std::string page = readTextFile(path);
        if (page.size() / 2 <= endBytes)
            markup += page;
        else
            markup.append(page, 0, endBytes).append(page, page.size() - endBytes);
    }
    return markup;
}

// The literal tag split rewrites the markup 200 times, so it takes the pages' ends: each line is
// split on its own, and the lines where one page runs into the next are all there.
TEST(ManyPagesPage, TagSplitEqualsTheLiteralPasses)
{
    const std::string markup = manyPagesPage(8192);
    for (const ScanParameters& parameters : {kImageScan, kLinkScan})
        EXPECT_TRUE(TagLines(parameters, markup) == literal::tagLines(parameters, markup))
            << parameters.tagMarker;
}

// The literal substitution makes one pass over the whole page per name, so it takes every
// twentieth name that the scans find, which still links names inside earlier links' addresses and
// names.
TEST(ManyPagesPage, SourcePageEqualsTheLiteralPasses)
{
    const std::string markup = manyPagesPage();
    ImageLists lists;
    for (const ScanParameters& parameters : {kImageScan, kLinkScan}) {
        const ImageList found = ScanMarkup(parameters, markup, kAddress);
        for (std::size_t i = 0; i < found.size(); i += 20)
            lists[parameters.listIndex].add(found.entries()[i].name, found.entries()[i].address);
    }
    ASSERT_GT(lists[ImageLists::kLinkedImages].size(), 10u);
    ASSERT_GT(lists[ImageLists::kEmbeddedImages].size(), 20u);
    EXPECT_TRUE(BuildSourcePage(markup, lists) ==
                literal::sourcePage(markup, lists, kSourcePageBound));
}

} // namespace
} // namespace varrow
