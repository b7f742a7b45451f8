// Copies of the probe program, with their version section edited by objcopy after the build,
// report the edited fields when run.
#include "platform/versioninfo/VersionInfo.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace varrow
{
namespace
{

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string output;
};

// Runs the program `argv[0]` with the given arguments and collects what it writes to stdout.
Outcome run(const std::vector<std::string>& argv)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    Outcome outcome;
    char buffer[4096];
    ssize_t count = 0;
    while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        outcome.output.append(buffer, static_cast<std::size_t>(count));
    close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

std::string probeOutput(const std::string& product, const std::string& company,
                        const std::string& comments, const std::string& version)
{
    return "ProductName=" + product + "\nCompanyName=" + company + "\nComments=" + comments +
           "\nVersion=" + version + "\n";
}

class EditedCopy : public testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("varrow-versioninfo-" + std::to_string(getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_copy = m_dir / "probe";
        fs::copy_file(VARROW_PROBE, m_copy);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Replaces the copy's version section with `text`; true when objcopy succeeded.
    bool updateSection(const std::string& text)
    {
        const fs::path file = m_dir / "version.txt";
        std::ofstream(file, std::ios::binary) << text;
        return run({VARROW_OBJCOPY, "--update-section", ".varrow_version=" + file.string(),
                    m_copy.string()})
                   .exitCode == 0;
    }

    Outcome runCopy() const { return run({m_copy.string()}); }

    fs::path m_dir;
    fs::path m_copy;
};

const std::string kBuiltOutput =
    probeOutput("Varrow", "Varrow Project", "www.varrow.example", VARROW_VERSION_TEXT);

TEST_F(EditedCopy, UneditedCopyReportsTheBuiltIdentity)
{
    const Outcome outcome = runCopy();
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.output, kBuiltOutput);
}

TEST_F(EditedCopy, UpdatedSectionGivesTheNewFieldsWithoutRebuilding)
{
    ASSERT_TRUE(
        updateSection("ProductName=Varrow\nCompanyName=Other Maker\nComments=\nFileVersion=2.0\n"));
    const Outcome outcome = runCopy();
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.output, probeOutput("Varrow", "Other Maker", "", "2.0"));
    EXPECT_EQ(run({VARROW_PROBE}).output, kBuiltOutput) << "the built program is unchanged";
}

TEST_F(EditedCopy, RemovedSectionGivesEmptyFields)
{
    ASSERT_EQ(
        run({VARROW_OBJCOPY, "--remove-section", ".varrow_version", m_copy.string()}).exitCode, 0);
    const Outcome outcome = runCopy();
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.output, probeOutput("", "", "", "0.0"));
}

TEST_F(EditedCopy, StrippedCopyKeepsItsFields)
{
    ASSERT_EQ(run({VARROW_STRIP, m_copy.string()}).exitCode, 0);
    EXPECT_EQ(runCopy().output, kBuiltOutput);
}

TEST_F(EditedCopy, TruncatedCopiesGiveEmptyFields)
{
    const auto size = fs::file_size(m_copy);
    EXPECT_EQ(readVersionInfo(m_copy).productName, "Varrow");
    // Section headers lie at the end of the file, the ELF header at its start.
    for (const std::uintmax_t length :
         {size - 1, size / 2, std::uintmax_t{64}, std::uintmax_t{4}}) {
        const fs::path cut = m_dir / ("cut-" + std::to_string(length));
        fs::copy_file(m_copy, cut);
        fs::resize_file(cut, length);
        const VersionInfo info = readVersionInfo(cut);
        EXPECT_EQ(info.productName, "") << length;
        EXPECT_EQ(info.companyName, "") << length;
        EXPECT_EQ(info.comments, "") << length;
        EXPECT_EQ(info.major, 0) << length;
    }
}

} // namespace
} // namespace varrow
