#include "capture/CapturePage.h"

#include "capture/ImagePage.h"
#include "capture/SourcePage.h"
#include "capture/cli/CaptureCommand.h"
#include "platform/textfile/TextFile.h"
#include "tests/platform/PermissionsBind.h"
#include "tests/support/ImageListFields.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace varrow
{
namespace
{

class CapturePageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Parameterized tests' names hold a "/".
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        m_directory = std::filesystem::temp_directory_path() / ("varrow-capture-" + name);
        std::filesystem::remove_all(m_directory);
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }
    std::string read(std::string_view name) { return readTextFile(m_directory / name); }

    std::filesystem::path m_directory;
};

TEST_F(CapturePageTest, EmptyMarkupWritesEmptyPages)
{
    ImageLists lists;
    CapturePage(WorkFiles(m_directory), "", "http://host/", lists);
    EXPECT_EQ(read(WorkFiles::kSourcePage), "\r\n");
    EXPECT_EQ(read(WorkFiles::kImagePage), "\r\n");
    EXPECT_EQ(lists, ImageLists{});
}

TEST_F(CapturePageTest, SourcePageEscapesAndLinksEveryOccurrence)
{
    ImageLists lists;
    CapturePage(WorkFiles(m_directory), "<img src=\"a.gif\">&lt;ba.gif A.GIF\r\n", "http://h/",
                lists);
    EXPECT_EQ(
        read(WorkFiles::kSourcePage),
        "&lt;img src=\"<a href='http://h/a.gif'>a.gif</a>\">&lt;b<a href='http://h/a.gif'>a.gif"
        "</a> A.GIF<BR><BR>\r\n");
    EXPECT_EQ(read(WorkFiles::kImagePage),
              "<a href='http://h/a.gif'><img "
              "src='http://h/a.gif'></a><BR>http://h/a.gif<BR><BR><BR>\r\n");
}

TEST_F(CapturePageTest, PageSuppliedTextNeverBecomesMarkup)
{
    ImageLists lists;
    CapturePage(WorkFiles(m_directory),
                "<img src=\"x<b.gif\"><a href=\"javascript:alert(1)//http://x/a.gif\">a</a>",
                "http://h/it's/", lists);
    const std::string gallery = read(WorkFiles::kImagePage);
    EXPECT_EQ(gallery, "<a href='http://h/it&#39;s/x<b.gif'><img src='http://h/it&#39;s/x<b.gif'>"
                       "</a><BR>http://h/it's/x&lt;b.gif<BR><BR><BR>\r\n");
    EXPECT_NE(read(WorkFiles::kSourcePage).find("<a href='about:blank'>a.gif</a>"),
              std::string::npos);
}

// A name found inside the address of an earlier link is linked there too; that link must not end
// the address early, or the rest of it (here an svg element and an event handler) becomes live.
TEST_F(CapturePageTest, LinksInsideAnAddressKeepItOneAttributeValue)
{
    ImageLists lists;
    CapturePage(WorkFiles(m_directory),
                "<a href=\"a.gif<svg/onload=alert(1)//x.jpg\">t</a><img src=\"a.gif\">",
                "http://h/d/p.htm", lists);
    EXPECT_EQ(
        read(WorkFiles::kSourcePage),
        "&lt;a href=\"<a href='http://h/d/a.gif'>a.gif</a>&lt;svg/onload=alert(1)//<a "
        "href='http://h/d/<a href=&#39;http://h/d/a.gif&#39;>a.gif</a><svg/onload=alert(1)//"
        "x.jpg'>x.jpg</a>\">t&lt;/a>&lt;img src=\"<a href='http://h/d/a.gif'>a.gif</a>\">\r\n");
    CapturePage(WorkFiles(m_directory),
                "<a href=\"b.jpg\">t</a><img src=\"onmouseover=alert(2)//http://x/b.jpg\">",
                "http://h/d/p.htm", lists);
    EXPECT_EQ(read(WorkFiles::kSourcePage),
              "&lt;a href=\"<a href='http://h/d/<a href=&#39;onmouseover=alert(2)//http://x/b.jpg"
              "&#39;>b.jpg</a>'><a href='onmouseover=alert(2)//http://x/b.jpg'>b.jpg</a></a>\">t"
              "&lt;/a>&lt;img src=\"onmouseover=alert(2)//http://x/<a href='http://h/d/<a "
              "href=&#39;onmouseover=alert(2)//http://x/b.jpg&#39;>b.jpg</a>'><a "
              "href='onmouseover=alert(2)//http://x/b.jpg'>b.jpg</a></a>\">\r\n");
}

// Every address holds every name forty times, so each pass multiplies the links by forty: the
// fifth pass alone would add some 600 MB, far beyond the allowance of a small page, and fails.
TEST_F(CapturePageTest, LinksNestingGeometricallyStopAtTheBoundOfTheSourcePage)
{
    std::string directory = "http://h/";
    for (int i = 0; i < 40; ++i)
        directory += "abcde";
    const std::string markup =
        "<img src=\"a\"><img src=\"b\"><img src=\"c\"><img src=\"d\"><img src=\"e\">";
    ImageLists lists;
    const CaptureResult result =
        CapturePage(WorkFiles(m_directory), markup, directory + "/page.htm", lists);
    EXPECT_TRUE(result.failures.empty());
    ASSERT_EQ(lists[ImageLists::kEmbeddedImages].size(), 5u);
    const std::uintmax_t size = std::filesystem::file_size(m_directory / WorkFiles::kSourcePage);
    EXPECT_GT(size, std::uintmax_t{10} << 20);
    EXPECT_LE(size, kSourcePageBound.maxLength(markup.size() * 2));
}

// A large page whose links add more than the fixed allowance keeps every link, as long as its
// source page stays within the multiple of its markup.
TEST_F(CapturePageTest, LinksOfALargePageMayAddMoreThanTheAllowance)
{
    const std::string address = "http://pages.example/a/very/long/directory/of/the/gallery/";
    const std::string anchor = "<a href='" + address + "a.gif'>a.gif</a> ";
    const std::size_t occurrences = kSourcePageBound.allowance / (anchor.size() - 6) + 1;
    std::string markup;
    std::string expected;
    for (std::size_t i = 0; i < occurrences; ++i) {
        markup += "a.gif ";
        expected += anchor;
    }
    ImageLists lists;
    lists[ImageLists::kEmbeddedImages].add("a.gif", address + "a.gif");
    const std::string page = BuildSourcePage(markup, lists);
    ASSERT_GT(page.size() - markup.size(), kSourcePageBound.allowance);
    EXPECT_TRUE(page == expected);
}

TEST_F(CapturePageTest, ScriptAddressesWithCharacterReferencesBecomeBlank)
{
    ImageLists lists;
    CapturePage(WorkFiles(m_directory), "<img src=\"javascript&#58;alert(1)//http://x/a.gif\">",
                "http://h/", lists);
    EXPECT_EQ(
        read(WorkFiles::kSourcePage),
        "&lt;img src=\"javascript&#58;alert(1)//http://x/<a href='about:blank'>a.gif</a>\">\r\n");
}

TEST_F(CapturePageTest, UnwritableDirectoryFailsEveryWriteButRunsEveryStep)
{
    ImageLists lists;
    const CaptureResult result =
        CapturePage(WorkFiles(m_directory / "missing"), "<img src=\"a.gif\">", "http://h/", lists);
    EXPECT_FALSE(result.failures.empty());
    EXPECT_EQ(lists, ImageLists{});
    // Both pages fail, each naming its file, and nothing is left behind.
    for (const std::filesystem::path& page : {result.sourcePage, result.imagePage})
        EXPECT_EQ(std::count_if(result.failures.begin(), result.failures.end(),
                                [&](const std::string& failure) {
                                    return failure.starts_with(page.string() + ": ");
                                }),
                  1)
            << page;
    EXPECT_FALSE(std::filesystem::exists(m_directory / "missing"));
}

// One file of the program directory is a directory, so that it can be neither written nor read.
// Each step that needs it fails on its own; the others run, and the working files end as the
// steps in order would leave them: the reset stops at the first file that it cannot write.
struct BlockedFileCase {
    std::string_view blocked;
    bool listsFound;
    std::size_t failures;
    std::vector<std::string_view> keptOld; // working files that keep their text from before
};

class CaptureWithABlockedFile : public CapturePageTest,
                                public ::testing::WithParamInterface<BlockedFileCase>
{
};

TEST_P(CaptureWithABlockedFile, FailsOnlyTheStepsThatNeedIt)
{
    const BlockedFileCase& test = GetParam();
    for (const std::string_view name : WorkFiles::kAll)
        if (name != test.blocked)
            writeTextFile(m_directory / name, "old");
    std::filesystem::create_directory(m_directory / test.blocked);
    ImageLists lists;
    const CaptureResult result = CapturePage(
        WorkFiles(m_directory), "<img src=\"a.gif\"><a href=\"b.jpg\">b</a>", "http://h/", lists);

    EXPECT_EQ(result.failures.size(), test.failures);
    EXPECT_EQ(lists[ImageLists::kEmbeddedImages].size(), test.listsFound ? 1u : 0u);
    EXPECT_EQ(lists[ImageLists::kLinkedImages].size(), test.listsFound ? 1u : 0u);
    EXPECT_TRUE(std::filesystem::is_directory(m_directory / test.blocked));
    for (const std::string_view name :
         {WorkFiles::kMarkup, WorkFiles::kScratch, WorkFiles::kBrowser, WorkFiles::kImages}) {
        if (name == test.blocked)
            continue;
        const bool kept =
            std::find(test.keptOld.begin(), test.keptOld.end(), name) != test.keptOld.end();
        EXPECT_EQ(read(name), kept ? "old\r\n" : "\r\n") << name;
    }
    if (test.blocked != WorkFiles::kSourcePage) {
        EXPECT_EQ(read(WorkFiles::kSourcePage).find("a.gif</a>") != std::string::npos,
                  test.listsFound);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, CaptureWithABlockedFile,
    ::testing::Values(
        BlockedFileCase{WorkFiles::kMarkup,
                        false,
                        4,
                        {WorkFiles::kScratch, WorkFiles::kBrowser, WorkFiles::kImages}},
        BlockedFileCase{WorkFiles::kScratch, false, 3, {WorkFiles::kBrowser, WorkFiles::kImages}},
        BlockedFileCase{WorkFiles::kBrowser, true, 1, {WorkFiles::kImages}},
        BlockedFileCase{WorkFiles::kImages, true, 1, {}},
        BlockedFileCase{WorkFiles::kSourcePage, true, 1, {}},
        BlockedFileCase{WorkFiles::kImagePage, true, 1, {}}),
    [](const auto& testInfo) {
        std::string id(testInfo.param.blocked);
        id.erase(std::remove(id.begin(), id.end(), '.'), id.end());
        return id;
    });

// A markup file that may be read but not written keeps its text: the scans find what it holds,
// the source page shows the markup, and the reset stops there, so the scratch file keeps the
// link scan's split markup.
TEST_F(CapturePageTest, ReadOnlyMarkupFileIsWhatTheScansRead)
{
    if (!permissionsBindUs())
        GTEST_SKIP() << "this process may write any file";
    const auto markupFile = m_directory / WorkFiles::kMarkup;
    writeTextFile(markupFile, "<a href=\"old.jpg\">o</a><img src=\"old.gif\">");
    std::filesystem::permissions(markupFile, std::filesystem::perms::owner_read);
    ImageLists lists;
    const CaptureResult result =
        CapturePage(WorkFiles(m_directory), "<img src=\"a.gif\">", "http://h/", lists);
    std::filesystem::permissions(markupFile, std::filesystem::perms::owner_all);

    EXPECT_EQ(result.failures.size(), 2u); // the markup's write and the reset
    EXPECT_EQ(testing::namesOf(lists[ImageLists::kLinkedImages]),
              std::vector<std::string>{"old.jpg"});
    EXPECT_EQ(testing::namesOf(lists[ImageLists::kEmbeddedImages]),
              std::vector<std::string>{"old.gif"});
    EXPECT_EQ(read(WorkFiles::kSourcePage), "&lt;img src=\"a.gif\">\r\n");
    EXPECT_EQ(read(WorkFiles::kScratch), "<a href=\"old.jpg\">o</a><img src=\"old.gif\">\r\n\r\n");
    EXPECT_EQ(read(WorkFiles::kMarkup), "<a href=\"old.jpg\">o</a><img src=\"old.gif\">\r\n");
}

// The working files that already hold their last text are not written again, so a capture of a
// large page does not write its markup to the disk only to empty the file right after.
TEST_F(CapturePageTest, WorkingFilesThatHoldTheirTextAreLeftAsTheyAre)
{
    const WorkFiles files(m_directory);
    for (const std::string_view name : WorkFiles::kAll)
        writeTextFile(files.pathOf(name), "");
    const auto before = std::filesystem::last_write_time(files.pathOf(WorkFiles::kMarkup));
    std::filesystem::last_write_time(files.pathOf(WorkFiles::kMarkup),
                                     before - std::chrono::hours(1));
    ImageLists lists;
    EXPECT_TRUE(CapturePage(files, "<img src=\"a.gif\">", "http://h/", lists).failures.empty());
    EXPECT_EQ(std::filesystem::last_write_time(files.pathOf(WorkFiles::kMarkup)),
              before - std::chrono::hours(1));
    EXPECT_EQ(read(WorkFiles::kMarkup), "\r\n");
}

// A working file that holds another text of the length of its last one is written all the same.
TEST_F(CapturePageTest, WorkingFilesWithOtherTextOfTheSameLengthAreWritten)
{
    const WorkFiles files(m_directory);
    for (const std::string_view held : {"\n\r", "ab", "\r\r", "\n\n"}) {
        for (const std::string_view name : WorkFiles::kAll) {
            std::ofstream(files.pathOf(name), std::ios::binary) << held;
            ASSERT_EQ(std::filesystem::file_size(files.pathOf(name)), 2u);
        }
        ImageLists lists;
        EXPECT_TRUE(CapturePage(files, "<img src=\"a.gif\">", "http://h/", lists).failures.empty());
        for (const std::string_view name :
             {WorkFiles::kMarkup, WorkFiles::kScratch, WorkFiles::kBrowser, WorkFiles::kImages})
            EXPECT_EQ(read(name), "\r\n") << name << " held " << ::testing::PrintToString(held);
    }
}

// The generated pages go to their files piece by piece: a page that fails part way through has
// written nothing, and leaves neither a torn page nor its temporary file behind.
TEST_F(CapturePageTest, APageThatFailsPartWayLeavesTheOldFileWhole)
{
    ImageLists lists;
    lists[ImageLists::kEmbeddedImages].add("a.gif", "http://h/a.gif");
    const SourcePage sourcePage("<img src=\"a.gif\">", lists);
    const std::filesystem::path path = m_directory / WorkFiles::kSourcePage;
    writeTextFile(path, "old");
    EXPECT_ANY_THROW(writeTextFileInPieces(path, [&](const TextPieceSink& sink) {
        sink("first piece");
        throw std::runtime_error("fails part way");
    }));
    EXPECT_EQ(read(WorkFiles::kSourcePage), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory), {}), 1);
    sourcePage.write(path);
    EXPECT_EQ(read(WorkFiles::kSourcePage), sourcePage.text() + "\r\n");
    EXPECT_EQ(sourcePage.text(), "&lt;img src=\"<a href='http://h/a.gif'>a.gif</a>\">");
}

TEST(CaptureCommand, MisuseAndHelp)
{
    std::ostringstream out, err;
    EXPECT_EQ(parseCaptureCommand({"--bogus"}, out, err).exitCode, 2);
    EXPECT_EQ(parseCaptureCommand({"file"}, out, err).exitCode, 2);
    EXPECT_EQ(parseCaptureCommand({"--url"}, out, err).exitCode, 2);
    EXPECT_NE(err.str().find("Usage:"), std::string::npos);
    const ParsedCommand help = parseCaptureCommand({"--help"}, out, err);
    EXPECT_FALSE(help.options);
    EXPECT_EQ(help.exitCode, 0);
    const ParsedCommand run = parseCaptureCommand({"--url", "u", "--lists", "f"}, out, err);
    ASSERT_TRUE(run.options);
    EXPECT_TRUE(run.options->printLists);
    EXPECT_EQ(run.options->input, "f");
}

TEST(CaptureCommand, SaveTakesAFolderAndALoadedPage)
{
    std::ostringstream out, err;
    const std::vector<std::string> misuses[] = {
        {"--load", "p", "--save"},
        {"--load", "p", "--save", ""},
        {"--save", "dir"},
        {"--url", "u", "--save", "dir", "f"},
        {"--load", "p", "--save", "dir", "--lists"},
        {"--load", "p", "--save", "dir", "--out", "o"},
    };
    for (const auto& arguments : misuses)
        EXPECT_EQ(parseCaptureCommand(arguments, out, err).exitCode, 2) << arguments.back();
    const ParsedCommand save = parseCaptureCommand({"--save", "dir", "--load", "p"}, out, err);
    ASSERT_TRUE(save.options);
    EXPECT_EQ(save.options->saveFolder, "dir");
    EXPECT_EQ(save.options->load, "p");
}

TEST_F(CapturePageTest, CommandNamesUnreadableInputAndLeavesFilesAlone)
{
    writeTextFile(m_directory / "source.htm", "old");
    std::istringstream in;
    std::ostringstream out, err;
    CaptureOptions options;
    options.pageAddress = "http://h/";
    options.outputDirectory = m_directory.string();
    options.input = (m_directory / "none").string();
    EXPECT_EQ(runCaptureCommand(options, in, out, err), 1);
    EXPECT_NE(err.str().find("none"), std::string::npos);
    EXPECT_EQ(read("source.htm"), "old\r\n");
}

TEST_F(CapturePageTest, CommandTakesDirectoryNamesAsUtf8)
{
    const std::filesystem::path directory = m_directory / pathFromUtf8("\xc5\x82\xe4\xb8\xad");
    std::filesystem::create_directory(directory);
    const std::u8string utf8 = directory.u8string();
    CaptureOptions options;
    options.pageAddress = "http://h/";
    options.outputDirectory = std::string(utf8.begin(), utf8.end());
    std::istringstream in("<img src=\"a.gif\">");
    std::ostringstream out, err;
    EXPECT_EQ(runCaptureCommand(options, in, out, err), 0) << err.str();
    EXPECT_NE(readTextFile(directory / "imagepage.html").find("http://h/a.gif"), std::string::npos);
}

TEST(CaptureCommand, ListFieldsStayOnOneLine)
{
    EXPECT_EQ(escapeListField("a\\b\tc\nd\re"), "a\\\\b\\tc\\nd\\re");
}

} // namespace
} // namespace varrow
