// varrow-capture's page loader, run against small scripts that play the page-rendering program.
#include "capture/cli/PageLoaderProcess.h"

#include "capture/cli/CaptureCommand.h"
#include "platform/textfile/TextFile.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace varrow
{
namespace
{

class PageLoaderProcessTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::temp_directory_path() /
                      ("varrow-loader-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_directory / "libexec" / "varrow");
        std::filesystem::create_directories(m_directory / "bin");
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    // A program that runs `script` with the page as $1.
    std::filesystem::path program(const std::filesystem::path& path, const std::string& script)
    {
        std::ofstream(path) << "#!/bin/sh\n" << script << "\n";
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return path;
    }

    std::filesystem::path m_directory;
};

TEST_F(PageLoaderProcessTest, GivesTheReportedAddressAndTheMarkupByteForByte)
{
    const auto loader = pageLoaderProcess(
        program(m_directory / "load", "printf 'file:///p/%s\\n<body>\\r\\n\\0x</body>' \"$1\""));
    const LoadedPage page = loader("a b.html", kDefaultMaxMarkupBytes);
    EXPECT_EQ(page.address, "file:///p/a b.html");
    EXPECT_EQ(page.markup, std::string("<body>\r\n\0x</body>", 17));
}

TEST_F(PageLoaderProcessTest, AnInventoryIsAskedForWithItsWaitAndGivenByteForByte)
{
    const auto lister = pageInventoryProcess(
        program(m_directory / "list",
                "printf '%s|%s|%s|%s\\n{\"url\":\"x\"}\\n' \"$1\" \"$2\" \"$3\" \"$4\""));
    EXPECT_EQ(lister("a b.html", 2.5), "--inventory|--settle|2.5|a b.html\n{\"url\":\"x\"}\n");
    EXPECT_EQ(lister("p", 0), "--inventory|--settle|0|p\n{\"url\":\"x\"}\n");
    const auto refusing =
        pageInventoryProcess(program(m_directory / "refuse", "echo 'no such host'; exit 1"));
    EXPECT_THROW(refusing("http://h/", 0), std::runtime_error);
}

TEST_F(PageLoaderProcessTest, FailuresCarryTheReason)
{
    const auto refusing =
        pageLoaderProcess(program(m_directory / "refuse", "echo 'no such host'; exit 1"));
    EXPECT_THROW(
        {
            try {
                refusing("http://h/", kDefaultMaxMarkupBytes);
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "no such host");
                throw;
            }
        },
        std::runtime_error);
    const auto silent = pageLoaderProcess(program(m_directory / "silent", "kill -9 $$"));
    EXPECT_THROW(silent("x", kDefaultMaxMarkupBytes), std::runtime_error);
    const auto noAddress = pageLoaderProcess(program(m_directory / "short", "printf '<body>'"));
    EXPECT_THROW(noAddress("x", kDefaultMaxMarkupBytes), std::runtime_error);
    EXPECT_THROW(pageLoaderProcess(m_directory / "missing")("x", kDefaultMaxMarkupBytes),
                 std::runtime_error);
}

TEST_F(PageLoaderProcessTest, MarkupBeyondTheLimitIsRefusedAndAnEndlessPageIsStopped)
{
    const auto loader =
        pageLoaderProcess(program(m_directory / "load", "printf 'http://h/\n12345'"));
    EXPECT_EQ(loader("x", 5).markup, "12345");
    try {
        loader("x", 4);
        ADD_FAILURE() << "a page over the limit was taken";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "the page is larger than the limit of 4 bytes");
    }
    const auto endless =
        pageLoaderProcess(program(m_directory / "endless", "echo http://h/; cat /dev/zero"));
    EXPECT_THROW(endless("x", 1 << 20), std::runtime_error);
}

TEST_F(PageLoaderProcessTest, IsFoundBesideTheCommandOrInLibexec)
{
    const auto command = m_directory / "bin" / "varrow-capture";
    EXPECT_EQ(findPageLoader(command), std::filesystem::path());
    const auto installed = program(m_directory / "libexec" / "varrow" / kPageLoaderName, "");
    EXPECT_EQ(findPageLoader(command), installed);
    const auto beside = program(m_directory / "bin" / kPageLoaderName, "");
    EXPECT_EQ(findPageLoader(command), beside);
}

} // namespace
} // namespace varrow
