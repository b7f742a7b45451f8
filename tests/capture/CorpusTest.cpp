// Every page of the real-page corpus, captured as from http://pages.example/corpus/NAME.html, must
// give exactly the expected source page, gallery and lists.

#include "capture/CapturePage.h"
#include "capture/cli/CaptureCommand.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace varrow
{
namespace
{

const std::filesystem::path kCorpus = VARROW_CORPUS_DIR;

std::vector<std::string> corpusPages()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCorpus / "pages"))
        if (entry.path().extension() == ".body")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CorpusTest : public ::testing::TestWithParam<std::string>
{
};

TEST_P(CorpusTest, CaptureGivesTheExpectedPagesAndLists)
{
    const std::string name = GetParam();
    // A directory of this run's own, so that runs side by side never share working files.
    const auto directory = std::filesystem::temp_directory_path() /
                           ("varrow-corpus-" + name + "-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(directory);
    ImageLists lists;
    const CaptureResult result =
        CapturePage(WorkFiles(directory), readTextFile(kCorpus / "pages" / (name + ".body")),
                    "http://pages.example/corpus/" + name + ".html", lists);
    EXPECT_TRUE(result.failures.empty());

    const auto expected = kCorpus / "expected" / name;
    EXPECT_TRUE(readTextFile(result.sourcePage) == readTextFile(expected / "source.htm"));
    EXPECT_TRUE(readTextFile(result.imagePage) == readTextFile(expected / "imagepage.html"));
    std::ostringstream printed;
    printLists(lists, printed);
    EXPECT_EQ(printed.str(), readTextFile(expected / "lists.tsv"));
    for (const auto file :
         {WorkFiles::kMarkup, WorkFiles::kScratch, WorkFiles::kBrowser, WorkFiles::kImages})
        EXPECT_EQ(readTextFile(directory / file), "\r\n") << file;
    std::filesystem::remove_all(directory);
}

INSTANTIATE_TEST_SUITE_P(Pages, CorpusTest, ::testing::ValuesIn(corpusPages()),
                         [](const auto& testInfo) {
                             std::string id = testInfo.param;
                             std::replace(id.begin(), id.end(), '-', '_');
                             return id;
                         });

} // namespace
} // namespace varrow
