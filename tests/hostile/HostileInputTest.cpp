// Hostile folders, inputs and page text against the capture core and varrow-capture: what a page
// or a person sharing a folder could plant must never reach another file, crash the command or end
// up raw on a terminal.
#include "capture/CapturePage.h"
#include "capture/PictureFileNames.h"
#include "capture/cli/CaptureCommand.h"
#include "platform/textfile/TemporaryFile.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace varrow
{
namespace
{

class HostileInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory =
            std::filesystem::temp_directory_path() /
            ("varrow-hostile-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_directory);
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    std::vector<std::string> namesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs varrow-capture's capture of `markup` into the folder, with `options` as given.
    int capture(CaptureOptions options, const std::string& markup, std::string& out,
                std::string& err)
    {
        options.outputDirectory = m_directory.string();
        std::istringstream in(markup);
        std::ostringstream outStream;
        std::ostringstream errStream;
        const int exitCode = runCaptureCommand(options, in, outStream, errStream);
        out = outStream.str();
        err = errStream.str();
        return exitCode;
    }

    std::filesystem::path m_directory;
};

#ifndef _WIN32
TEST_F(HostileInputTest, LinksPlantedInTheFolderAreNeverFollowed)
{
    const std::filesystem::path victim = m_directory / "victim.txt";
    writeTextFile(victim, "the person's own text");
    const std::filesystem::path source = m_directory / "source.htm";
    // Where the temporary file of a write would have been predictable, and the working files
    // that start-up creates when they are missing.
    for (int counter = 0; counter < 4; ++counter)
        std::filesystem::create_symlink(victim, m_directory /
                                                    (".source.htm.tmp-" + std::to_string(getpid()) +
                                                     "-" + std::to_string(counter)));
    std::filesystem::create_symlink(victim, m_directory / "browser.txt");
    std::filesystem::create_symlink(m_directory / "absent.txt", m_directory / "images.htm");

    writeTextFile(source, "page text");
    EXPECT_FALSE(createTextFile(m_directory / "browser.txt", ""));
    EXPECT_FALSE(createTextFile(m_directory / "images.htm", ""));

    EXPECT_EQ(readTextFile(victim), "the person's own text\r\n");
    EXPECT_FALSE(std::filesystem::exists(m_directory / "absent.txt"));
    EXPECT_FALSE(std::filesystem::is_symlink(source));
    EXPECT_EQ(readTextFile(source), "page text\r\n");
}
#endif

TEST_F(HostileInputTest, TemporaryFilesTakeUnguessableNamesAndLeaveNothingBehind)
{
    const std::filesystem::path target = m_directory / "source.htm";
    {
        const TemporaryFile first(target);
        const TemporaryFile second(target);
        EXPECT_NE(first.path(), second.path());
        EXPECT_EQ(first.path().parent_path(), m_directory);
        EXPECT_TRUE(first.path().filename().string().starts_with(".source.htm."));
    }
    EXPECT_EQ(namesInFolder(), std::vector<std::string>{});

    writeTextFile(target, "old");
    EXPECT_THROW(writeTextFileInPieces(target,
                                       [](const TextPieceSink& sink) {
                                           sink("new");
                                           throw std::runtime_error("the page broke off");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(readTextFile(target), "old\r\n");
    EXPECT_EQ(namesInFolder(), std::vector<std::string>{"source.htm"});
}

TEST_F(HostileInputTest, TheWritableFolderCheckLeavesAFileOfTheProbesNameAlone)
{
    const std::filesystem::path mine = m_directory / ".varrow-capture-probe";
    writeTextFile(mine, "mine");
    CaptureOptions options;
    options.pageAddress = "http://h/";
    std::string out;
    std::string err;
    EXPECT_EQ(capture(options, "<img src=a.gif>", out, err), 0) << err;
    EXPECT_EQ(readTextFile(mine), "mine\r\n");
    for (const std::string& name : namesInFolder())
        EXPECT_FALSE(name.ends_with(".tmp")) << name;
}

TEST_F(HostileInputTest, MarkupBeyondTheLimitIsRefusedWithTheReasonAndNothingIsWritten)
{
    CaptureOptions options;
    options.pageAddress = "http://h/";
    options.maxMarkupBytes = 1000;
    std::string out;
    std::string err;
    EXPECT_EQ(capture(options, std::string(1001, 'x'), out, err), 1);
    EXPECT_EQ(err, "varrow-capture: cannot read standard input: larger than the limit of 1000 "
                   "bytes\n");
    EXPECT_EQ(namesInFolder(), std::vector<std::string>{});
    EXPECT_EQ(capture(options, std::string(1000, 'x'), out, err), 0) << err;
    const std::string written = readTextFile(m_directory / "source.htm");

    const std::filesystem::path file = m_directory / "page.body";
    writeTextFile(file, std::string(1000, 'x'));
    options.input = file.string();
    EXPECT_EQ(capture(options, "", out, err), 1);
    EXPECT_NE(err.find("page.body: larger than the limit of 1000 bytes"), std::string::npos) << err;
#ifndef _WIN32
    // Endless, and unreadable.
    options.maxMarkupBytes = std::size_t{1} << 20;
    for (const char* device : {"/dev/zero", "/proc/self/mem"}) {
        options.input = device;
        EXPECT_EQ(capture(options, "", out, err), 1) << device;
        EXPECT_TRUE(err.starts_with(std::string("varrow-capture: cannot read ") + device + ": "))
            << err;
    }
#endif
    EXPECT_EQ(readTextFile(m_directory / "source.htm"), written);
}

TEST(HostileMaxMarkup, TakesAPositiveByteCountOnly)
{
    std::ostringstream out;
    std::ostringstream err;
    const auto parsed = parseCaptureCommand({"--url", "u", "--max-markup", "4096"}, out, err);
    ASSERT_TRUE(parsed.options);
    EXPECT_EQ(parsed.options->maxMarkupBytes, 4096u);
    EXPECT_EQ(parseCaptureCommand({"--url", "u"}, out, err).options->maxMarkupBytes,
              kDefaultMaxMarkupBytes);
    for (const char* bad : {"0", "-1", "1e6", "12k", "", "99999999999999999999999"})
        EXPECT_EQ(parseCaptureCommand({"--url", "u", "--max-markup", bad}, out, err).exitCode, 2)
            << bad;
}

TEST_F(HostileInputTest, ControlCharactersInPrintedListsAreEscaped)
{
    CaptureOptions options;
    options.pageAddress = "http://h/\x1b]0;owned\x07/";
    options.printLists = true;
    std::string out;
    std::string err;
    const std::string markup = std::string("<img src=\"a\x1b[2J\x9b") + "31m\xc2\x9b" + "b" +
                               std::string(1, '\0') + "c.gif\">";
    ASSERT_EQ(capture(options, markup, out, err), 0) << err;
    EXPECT_EQ(out, "image\thttp://h/%1B]0;owned%07/a%1B[2J%9B31m%C2%9Bb%00c.gif\t"
                   "a%1B[2J%9B31m%C2%9Bb%00c.gif\n");
    // Text beyond ASCII that is no control character passes as it is.
    options.pageAddress = "http://h/";
    ASSERT_EQ(capture(options, "<img src=\"\xc3\xa9t\xe9.gif\">", out, err), 0) << err;
    EXPECT_EQ(out, "image\thttp://h/\xc3\xa9t\xe9.gif\t\xc3\xa9t\xe9.gif\n");
}

TEST(HostilePictureNames, InvisibleCharactersAreReplacedLikeControlCharacters)
{
    // U+061C (Arabic letter mark), U+200B (zero-width space), U+2028 and U+2029 (line and
    // paragraph separators), U+FEFF (byte order mark), U+E0041 (a tag letter).
    for (const char* invisible : {"\xd8\x9c", "\xe2\x80\x8b", "\xe2\x80\xa8", "\xe2\x80\xa9",
                                  "\xef\xbb\xbf", "\xf3\xa0\x81\x81"}) {
        const std::string name =
            pictureFileName(std::string("http://h/a") + invisible + "b.png", "image/png");
        EXPECT_EQ(name, "a_b.png") << invisible;
    }
    // Letters of every script stay.
    EXPECT_EQ(pictureFileName("http://h/\xd8\xa8\xd9\x8a\xd8\xaa.png", "image/png"),
              "\xd8\xa8\xd9\x8a\xd8\xaa.png");
}

// Names that occur inside each other ("0", "00", "000", ...) occur about as often as the text's
// length times the number of names; the capture still ends, soon and in little memory, and writes
// the escaped markup.
TEST_F(HostileInputTest, NamesThatOccurInsideEachOtherDoNotExhaustTheCapture)
{
    std::string markup;
    for (std::size_t length = 1; markup.size() < (std::size_t{1} << 20); ++length)
        markup += "<img src=\"" + std::string(length, '0') + "\">";
    writeTextFile(m_directory / "source.htm", "the last page");
    ImageLists lists;
    const CaptureResult result = CapturePage(WorkFiles(m_directory), markup, "http://h/", lists);
    EXPECT_EQ(result.failures, std::vector<std::string>{});
    const std::string source = readTextFile(result.sourcePage);
    EXPECT_TRUE(source.starts_with("&lt;img src=\"0\">&lt;img src=\"00\">"))
        << source.substr(0, 80);
    EXPECT_LE(source.size(), 3 * markup.size() + (std::size_t{16} << 20));
}

} // namespace
} // namespace varrow
