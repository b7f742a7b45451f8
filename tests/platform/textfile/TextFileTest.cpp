#include "platform/textfile/TextFile.h"

#include "tests/platform/PermissionsBind.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <stdexcept>

namespace varrow
{
namespace
{

std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    forEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TEST(ForEachLine, EndsLinesAtCrOrCrLfOnly)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\r\n"), Lines{""});
    EXPECT_EQ(linesOf("a\r\nb\rc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(linesOf("a\nb\r\n\r\n"), (Lines{"a\nb", ""}));
    EXPECT_EQ(linesOf("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(linesOf(std::string("a\0b", 3)), Lines{std::string("a\0b", 3)});
}

// Removes what a test left, also files and directories that it made read-only (which Windows
// refuses to delete).
void removeTree(const std::filesystem::path& root)
{
    using std::filesystem::perms;
    std::error_code ignored;
    std::filesystem::permissions(root, perms::owner_all, ignored);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ignored))
        std::filesystem::permissions(entry.path(), perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root);
}

class TextFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory =
            std::filesystem::temp_directory_path() /
            ("varrow-textfile-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        removeTree(m_directory);
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { removeTree(m_directory); }
    std::filesystem::path m_directory;
};

TEST_F(TextFileTest, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    const auto path = m_directory / "a.txt";
    writeTextFile(path, "first, longer text");
    writeTextFile(path, "x");
    EXPECT_EQ(readTextFile(path), "x\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory), {}), 1);
}

// Pieces of every size, some larger than what is written at once and some that just fill or
// overrun it, reach the file whole and in order; a producer that throws leaves the old file.
TEST_F(TextFileTest, TextInPiecesIsWrittenWholeOrNotAtAll)
{
    const auto path = m_directory / "pieces.txt";
    std::string expected;
    writeTextFileInPieces(path, [&](const TextPieceSink& sink) {
        std::size_t size = 0;
        for (int i = 0; i < 60; ++i) {
            const std::string piece(size, static_cast<char>('a' + i % 26));
            sink(piece);
            expected += piece;
            size = size * 3 + 1 + static_cast<std::size_t>(i) % 7;
            if (size > (std::size_t{200} << 10))
                size %= std::size_t{70} << 10;
        }
        sink(std::string(std::size_t{64} << 10, 'z'));
        expected += std::string(std::size_t{64} << 10, 'z');
    });
    EXPECT_EQ(readTextFile(path), expected + "\r\n");

    EXPECT_THROW(writeTextFileInPieces(path,
                                       [](const TextPieceSink& sink) {
                                           sink(std::string(100000, 'q'));
                                           throw std::runtime_error("stopped");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(readTextFile(path), expected + "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory), {}), 1);
}

TEST_F(TextFileTest, NamesBeyondAsciiAreWrittenReplacedAndRead)
{
    const auto path = m_directory / std::filesystem::path(u8"b\u00e9\u00e7\u4e2d.txt");
    writeTextFile(path, "first");
    writeTextFile(path, "second");
    EXPECT_EQ(readTextFile(path), "second\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory), {}), 1);
}

TEST_F(TextFileTest, FailuresNameThePathAndChangeNothing)
{
    EXPECT_THROW(readTextFile(m_directory / "missing"), FileError);
    EXPECT_THROW(readTextFile(m_directory), FileError);
    try {
        writeTextFile(m_directory / "no" / "such.txt", "x");
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), m_directory / "no" / "such.txt");
        EXPECT_FALSE(error.reason().empty());
    }
}

TEST_F(TextFileTest, DirectoryInPlaceOfTheFileIsRefusedBeforeAnythingIsWritten)
{
    const auto path = m_directory / "a.txt";
    std::filesystem::create_directory(path);
    try {
        checkTextFileWritable(path);
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(error.reason(), std::strerror(EISDIR));
    }
    EXPECT_THROW(writeTextFile(path, "x"), FileError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory), {}), 1);
    EXPECT_NO_THROW(checkTextFileWritable(m_directory / "new.txt"));
}

TEST_F(TextFileTest, FileHoldsTextComparesTheWholeContent)
{
    const auto path = m_directory / "a.txt";
    const std::string text(5000, 'x');
    writeTextFile(path, text);
    EXPECT_TRUE(fileHoldsText(path, text));
    EXPECT_FALSE(fileHoldsText(path, text.substr(1) + "y"));
    EXPECT_FALSE(fileHoldsText(path, text + "\r\n"));
    EXPECT_FALSE(fileHoldsText(path, "x"));
    writeTextFile(path, "");
    EXPECT_TRUE(fileHoldsText(path, ""));
    EXPECT_FALSE(fileHoldsText(m_directory / "missing", ""));
    EXPECT_FALSE(fileHoldsText(m_directory, ""));
}

TEST_F(TextFileTest, ReadOnlyTargetIsRefused)
{
    if (!permissionsBindUs())
        GTEST_SKIP() << "this process may write any file";
    const auto path = m_directory / "locked.txt";
    writeTextFile(path, "keep");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_THROW(writeTextFile(path, "lost"), FileError);
    EXPECT_EQ(readTextFile(path), "keep\r\n");
}

TEST_F(TextFileTest, UnwritableDirectoryKeepsTheOldFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "a read-only directory still takes new files on Windows";
#endif
    if (!permissionsBindUs())
        GTEST_SKIP() << "this process may write any directory";
    const auto path = m_directory / "a.txt";
    writeTextFile(path, "keep");
    std::filesystem::permissions(m_directory, std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_exec);
    EXPECT_THROW(writeTextFile(path, "lost"), FileError);
    EXPECT_EQ(readTextFile(path), "keep\r\n");
}

} // namespace
} // namespace varrow
