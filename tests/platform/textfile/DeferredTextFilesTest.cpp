#include "platform/textfile/DeferredTextFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace varrow
{
namespace
{

class DeferredTextFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory =
            std::filesystem::temp_directory_path() /
            ("varrow-deferred-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_directory);
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    // Changes whenever the file is replaced, as every real write does.
    ino_t inodeOf(const std::filesystem::path& path)
    {
        struct stat status {
        };
        EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
        return status.st_ino;
    }

    std::filesystem::path m_directory;
};

TEST_F(DeferredTextFilesTest, WritesReachTheDiskOnlyOnCommit)
{
    const auto path = m_directory / "a.txt";
    const auto borrowed = m_directory / "b.txt";
    const std::string kept = "kept by the caller";
    DeferredTextFiles files;
    files.write(path, "first");
    files.write(path, "second");
    files.writeBorrowed(borrowed, kept);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(files.commit().empty());
    EXPECT_EQ(readTextFile(path), "second\r\n");
    EXPECT_EQ(readTextFile(borrowed), kept + "\r\n");
}

TEST_F(DeferredTextFilesTest, FilesThatAlreadyHoldTheirLastTextAreNotRewritten)
{
    const auto same = m_directory / "same.txt";
    const auto changed = m_directory / "changed.txt";
    writeTextFile(same, "");
    writeTextFile(changed, "old");
    const ino_t sameBefore = inodeOf(same);
    const ino_t changedBefore = inodeOf(changed);
    DeferredTextFiles files;
    files.write(same, "big text in between");
    files.write(same, "");
    files.write(changed, "");
    EXPECT_TRUE(files.commit().empty());
    EXPECT_EQ(inodeOf(same), sameBefore);
    EXPECT_NE(inodeOf(changed), changedBefore);
    EXPECT_EQ(readTextFile(changed), "\r\n");
}

TEST_F(DeferredTextFilesTest, AWriteThatWouldFailFailsAtOnceAndLeavesTheFileAlone)
{
    const auto blocked = m_directory / "blocked";
    std::filesystem::create_directory(blocked);
    DeferredTextFiles files;
    EXPECT_THROW(files.write(blocked, "x"), FileError);
    EXPECT_THROW(files.write(m_directory / "no" / "such.txt", "x"), FileError);
    EXPECT_TRUE(files.commit().empty());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

TEST_F(DeferredTextFilesTest, CommitReportsEachFailureAndWritesTheOtherFiles)
{
    const auto lost = m_directory / "gone" / "a.txt";
    const auto kept = m_directory / "b.txt";
    std::filesystem::create_directory(lost.parent_path());
    DeferredTextFiles files;
    files.write(lost, "a");
    files.write(kept, "b");
    std::filesystem::remove(lost.parent_path());
    const std::vector<FileError> failures = files.commit();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path(), lost);
    EXPECT_EQ(readTextFile(kept), "b\r\n");
}

} // namespace
} // namespace varrow
