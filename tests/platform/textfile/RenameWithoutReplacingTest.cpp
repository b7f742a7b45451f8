#include "platform/textfile/RenameWithoutReplacing.h"

#include "platform/textfile/TextFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

namespace fs = std::filesystem;

class RenameWithoutReplacingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder =
            fs::temp_directory_path() / ("varrow-rename-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path file(const char* name, const char* text)
    {
        const fs::path path = m_folder / name;
        writeTextFile(path, text);
        return path;
    }

    fs::path m_folder;
};

TEST_F(RenameWithoutReplacingTest, RenamesToAFreeName)
{
    const fs::path from = file("part", "picture");
    std::error_code error;
    EXPECT_EQ(renameWithoutReplacing(from, m_folder / "photo.png", error), RenameOutcome::Renamed);
    EXPECT_FALSE(error);
    EXPECT_FALSE(fs::exists(from));
    EXPECT_EQ(readTextFile(m_folder / "photo.png"), "picture\r\n");
}

TEST_F(RenameWithoutReplacingTest, ExistingFileKeepsItsBytes)
{
    const fs::path from = file("part", "new");
    const fs::path to = file("photo.png", "old");
    std::error_code error;
    EXPECT_EQ(renameWithoutReplacing(from, to, error), RenameOutcome::Taken);
    EXPECT_EQ(readTextFile(to), "old\r\n");
    EXPECT_EQ(readTextFile(from), "new\r\n");
}

TEST_F(RenameWithoutReplacingTest, MissingSourceFailsWithAReason)
{
    std::error_code error;
    EXPECT_EQ(renameWithoutReplacing(m_folder / "absent", m_folder / "photo.png", error),
              RenameOutcome::Failed);
    EXPECT_TRUE(error);
    EXPECT_FALSE(fs::exists(m_folder / "photo.png"));
}

} // namespace
} // namespace varrow
