// The files of a list capture: the folder each page gets, the journal that lets a run resume, the
// records the page loader sends, and the progress line.
#include "capture/cli/CaptureJournal.h"
#include "capture/cli/PageFolderNames.h"
#include "capture/cli/PageRecords.h"
#include "capture/cli/ProgressLine.h"
#include "platform/textfile/TextFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace varrow
{
namespace
{

struct FolderCase {
    const char* name;
    std::vector<std::string> addresses;
    std::map<std::string, std::string> taken;
    std::vector<std::string> folders;
};

void PrintTo(const FolderCase& c, std::ostream* out)
{
    *out << c.name;
}

class PageFoldersTest : public ::testing::TestWithParam<FolderCase>
{
};

TEST_P(PageFoldersTest, GivesEachAddressAFolderOfItsOwn)
{
    EXPECT_EQ(assignPageFolders(GetParam().addresses, GetParam().taken), GetParam().folders);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PageFoldersTest,
    ::testing::Values(
        FolderCase{"NamedAfterTheAddressWithoutItsScheme",
                   {"http://h:8080/a/b.html?q=1", "file:///tmp/p.html"},
                   {},
                   {"h_8080_a_b.html_q=1", "_tmp_p.html"}},
        FolderCase{"NoParentFolderNorSeparator", {"http://h/../../etc"}, {}, {"h_._._etc"}},
        FolderCase{"AddressesOfTheSameNameAreNumbered",
                   {"http://h/a?b", "https://h/a?b", "http://h/a*b", "http://H/a?b"},
                   {},
                   {"h_a_b", "h_a_b (2)", "h_a_b (3)", "H_a_b (4)"}},
        FolderCase{"AFinishedPageKeepsItsFolderAndNoOtherTakesIt",
                   {"http://h/a?b", "http://h/a*b"},
                   {{"http://h/a*b", "h_a_b"}},
                   {"h_a_b (2)", "h_a_b"}},
        FolderCase{
            "LongAddressesThatDifferAtTheEnd",
            {"http://h/" + std::string(300, 'x') + "1", "http://h/" + std::string(300, 'x') + "2"},
            {},
            {"h_" + std::string(238, 'x'), "h_" + std::string(238, 'x') + " (2)"}}),
    [](const auto& row) { return std::string(row.param.name); });

class CaptureJournalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::temp_directory_path() /
                      ("varrow-journal-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }
    std::filesystem::path journal() const { return m_directory / kCaptureJournalName; }

    std::filesystem::path m_directory;
};

struct JournalCase {
    const char* name;
    std::string text;
    std::map<std::string, std::string> finished;
};

class CaptureJournalReadTest : public ::testing::TestWithParam<JournalCase>
{
};

TEST_P(CaptureJournalReadTest, TrustsOnlyWholeLinesOfSafeFolders)
{
    EXPECT_EQ(parseCaptureJournal(GetParam().text), GetParam().finished);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CaptureJournalReadTest,
    ::testing::Values(
        JournalCase{"WholeLines",
                    "{\"address\":\"http://a/1\",\"folder\":\"a_1\"}\n"
                    "{\"address\":\"http://a/2\",\"folder\":\"a_2\"}\n",
                    {{"http://a/1", "a_1"}, {"http://a/2", "a_2"}}},
        JournalCase{"ATornLastLineIsIgnored",
                    "{\"address\":\"http://a/1\",\"folder\":\"a_1\"}\n"
                    "{\"address\":\"http://a/2\",\"folder\":\"a_2\"}",
                    {{"http://a/1", "a_1"}}},
        JournalCase{
            "ATornLineCutShortIsIgnored",
            "{\"address\":\"http://a/1\",\"fol\n{\"address\":\"http://a/2\",\"folder\":\"a_2\"}\n",
            {{"http://a/2", "a_2"}}},
        JournalCase{"FoldersOutsideTheDirectoryAreNotTrusted",
                    "{\"address\":\"http://a/1\",\"folder\":\"../x\"}\n"
                    "{\"address\":\"http://a/2\",\"folder\":\"/etc\"}\n"
                    "{\"address\":\"http://a/3\",\"folder\":\"\"}\n"
                    "{\"address\":\"http://a/4\",\"folder\":\"..\"}\n",
                    {}},
        JournalCase{"OtherShapesAreIgnored",
                    "[1]\n{\"address\":1,\"folder\":\"x\"}\n\n\xff\n{\"address\":\"http://a/1\"}\n",
                    {}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CaptureJournalTest, ATornLastLineIsCutOffBeforeTheNextIsAppended)
{
    std::ofstream(journal(), std::ios::binary)
        << "{\"address\":\"http://a/1\",\"folder\":\"a_1\"}\n{\"address\":\"ht";
    {
        CaptureJournal opened(m_directory);
        EXPECT_EQ(opened.finished().size(), 1u);
        opened.record("http://a/2", "a_2");
    }
    const CaptureJournal reopened(m_directory);
    EXPECT_EQ(reopened.finished(),
              (std::map<std::string, std::string>{{"http://a/1", "a_1"}, {"http://a/2", "a_2"}}));
    EXPECT_EQ(readTextFile(journal()), "{\"address\":\"http://a/1\",\"folder\":\"a_1\"}\n"
                                       "{\"address\":\"http://a/2\",\"folder\":\"a_2\"}\n");
}

TEST(PageRecordsTest, RecordsOfAnyBytesComeBackWholeHoweverTheStreamIsCut)
{
    const std::string markup("<body>\n\0\r\nmarkup 12 34\n</body>", 29);
    const std::string stream = encodePageRecord("location", 7, "http://a/") +
                               encodePageRecord("markup", 7, markup) +
                               encodePageRecord("done", 7, "");
    for (std::size_t piece = 1; piece <= stream.size(); ++piece) {
        PageRecordReader reader([](std::string_view) { return std::size_t{1000}; });
        std::vector<PageRecord> records;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            reader.add(std::string_view(stream).substr(at, piece));
            while (auto record = reader.next())
                records.push_back(*record);
        }
        ASSERT_EQ(records.size(), 3u) << piece;
        EXPECT_EQ(records[1].kind, "markup");
        EXPECT_EQ(records[1].index, 7u);
        EXPECT_EQ(records[1].payload, markup);
        EXPECT_FALSE(reader.holdsPartialRecord());
    }
}

TEST(PageRecordsTest, ABrokenStreamIsRefused)
{
    for (const std::string& broken :
         {std::string("markup 1\n"), std::string("Markup 1 2\nab"), std::string("markup x 2\nab"),
          std::string("markup 1 -2\n"), std::string("markup 1 2000\n"), std::string(100, 'a'),
          std::string("markup 1 99999999999999999999999999\n")}) {
        PageRecordReader reader([](std::string_view) { return std::size_t{1000}; });
        reader.add(broken);
        EXPECT_THROW(reader.next(), std::runtime_error) << broken;
    }
}

struct ProgressCase {
    ListProgress progress;
    const char* line;
};

class ProgressLineTest : public ::testing::TestWithParam<ProgressCase>
{
};

TEST_P(ProgressLineTest, SaysHowFarHowFastAndHowLong)
{
    EXPECT_EQ(formatProgress(GetParam().progress), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    States, ProgressLineTest,
    ::testing::Values(
        ProgressCase{{0, 200, 0, 0, 0}, "0/200 pages, 0 pictures saved, -- pages/min, -- left"},
        ProgressCase{{12, 200, 12, 240, 20.0},
                     "12/200 pages, 240 pictures saved, 36.0 pages/min, 5 min 13 s left"},
        // Pages skipped as done before count as done, not in the rate.
        ProgressCase{{110, 200, 10, 0, 60.0},
                     "110/200 pages, 0 pictures saved, 10.0 pages/min, 9 min 00 s left"},
        ProgressCase{{1, 10000, 1, 0, 2.0},
                     "1/10000 pages, 0 pictures saved, 30.0 pages/min, 5 h 33 min left"},
        ProgressCase{{200, 200, 200, 4000, 40.0},
                     "200/200 pages, 4000 pictures saved, 300.0 pages/min, 0 s left"}));

TEST(ProgressLineTest, RewritesOneLineOnATerminalAndNothingElsewhere)
{
    std::ostringstream terminal, file;
    ProgressLine shown(terminal, true), hidden(file, false);
    for (ProgressLine* line : {&shown, &hidden}) {
        line->update({0, 2, 0, 0, 0});
        line->clear();
        line->finish({2, 2, 2, 0, 1});
    }
    EXPECT_EQ(terminal.str(), "\r0/2 pages, 0 pictures saved, -- pages/min, -- left\x1b[K"
                              "\r\x1b[K"
                              "\r2/2 pages, 0 pictures saved, 120.0 pages/min, 0 s left\x1b[K\n");
    EXPECT_EQ(file.str(), "");
}

} // namespace
} // namespace varrow
