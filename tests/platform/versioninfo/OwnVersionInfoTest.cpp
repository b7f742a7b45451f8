#include "platform/versioninfo/VersionInfo.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace varrow
{
namespace
{

namespace fs = std::filesystem;

void expectEmpty(const VersionInfo& info, const std::string& what)
{
    EXPECT_EQ(info.productName, "") << what;
    EXPECT_EQ(info.companyName, "") << what;
    EXPECT_EQ(info.comments, "") << what;
    EXPECT_EQ(info.major, 0) << what;
    EXPECT_EQ(info.minor, 0) << what;
}

// The fields that CMakeLists.txt gives this test executable.
TEST(OwnVersionInfo, ReadsTheFieldsOfThisExecutable)
{
    const VersionInfo info = readOwnVersionInfo();
    EXPECT_EQ(info.productName, "Varrow Tests");
    EXPECT_EQ(info.companyName, "A \"quoted\" maker\\with = signs");
    EXPECT_EQ(info.comments, "tests.varrow.example");
    EXPECT_EQ(info.major, 3);
    EXPECT_EQ(info.minor, 7);
}

TEST(OwnVersionInfo, RunningExecutablePathNamesThisFile)
{
    const fs::path path = runningExecutablePath();
    EXPECT_TRUE(path.is_absolute()) << path;
    EXPECT_EQ(path.stem(), "platform_versioninfo_tests");
    EXPECT_EQ(readVersionInfo(path).productName, "Varrow Tests");
}

TEST(OwnVersionInfo, FilesWithoutVersionInformationGiveEmptyFields)
{
    const fs::path dir = fs::temp_directory_path() / "varrow-versioninfo-own";
    fs::create_directories(dir);
    const auto write = [&](const char* name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
        return dir / name;
    };
    expectEmpty(readVersionInfo(dir / "missing.exe"), "missing file");
    expectEmpty(readVersionInfo(dir), "directory");
    expectEmpty(readVersionInfo(fs::path()), "empty path");
    expectEmpty(readVersionInfo(write("empty.exe", "")), "empty file");
    expectEmpty(readVersionInfo(write("text.exe", "ProductName=Varrow\n")), "plain text");
    expectEmpty(readVersionInfo(write("header.exe", "MZ\x90\0\x03\0\0\0\x04\0\0\0\xff\xff")),
                "a bare executable header");
    fs::remove_all(dir);
}

} // namespace
} // namespace varrow
