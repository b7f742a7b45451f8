#include "ScratchStore.h"
#include "platform/registry/HiveText.h"
#include "platform/registry/StoreLocation.h"
#include "tests/platform/PermissionsBind.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace varrow::registry
{
namespace
{

class Store : public testing::Test
{
protected:
    // Creates `path` below HKEY_LOCAL_MACHINE and leaves its handle in `key`.
    void create(const std::string& path)
    {
        ASSERT_EQ(createKey(kLocalMachine, path, kAllAccess, key), kSuccess);
        handles.push_back(key);
    }
    void TearDown() override
    {
        for (const Key handle : handles)
            closeKey(handle);
    }

    ScratchStore store;
    Key key = 0;
    std::vector<Key> handles;
    const std::string name = "Name";
};

TEST_F(Store, KeepsKeysAndValuesUnderAnySpellingOfTheirNames)
{
    create("Software\\Vendor\\Product");
    ASSERT_EQ(setStringValue(key, &name, "first"), kSuccess);
    ASSERT_EQ(setStringValue(key, nullptr, "default"), kSuccess);
    const std::string otherCase = "NAME";
    ASSERT_EQ(setStringValue(key, &otherCase, "second"), kSuccess);

    EXPECT_TRUE(keyExists(kLocalMachine, "Software\\Vendor"));
    EXPECT_EQ(readValue(kLocalMachine, "software\\VENDOR\\product", &name), "second");
    EXPECT_EQ(readValue(kLocalMachine, "Software\\Vendor\\Product", nullptr), "default");
    EXPECT_EQ(fileText(store.machineFile()),
              std::string(kHiveTextHeader) + "\r\n\r\n"
                                             "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
                                             "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n\r\n"
                                             "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\r\n"
                                             "\"Name\"=\"second\"\r\n"
                                             "@=\"default\"\r\n\r\n");
    // Only the store file and its lock remain: no temporary file is left behind.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(store.directory()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files,
              (std::vector<std::string>{"HKEY_LOCAL_MACHINE.lock", "HKEY_LOCAL_MACHINE.reg"}));
}

TEST_F(Store, ReportsTheResultCodesOfTheRegistry)
{
    Key other = 0;
    EXPECT_EQ(openKey(kLocalMachine, "Missing", kAllAccess, other), kFileNotFound);
    create("A\\B");
    create("AB"); // shares a prefix with A but is no sub-key of it
    EXPECT_EQ(deleteValue(key, &name), kFileNotFound);
    std::string text;
    EXPECT_EQ(queryStringValue(key, &name, text), kFileNotFound);
    EXPECT_EQ(deleteKey(kLocalMachine, "A"), kAccessDenied);
    EXPECT_NE(describeStatus(kAccessDenied).find("has sub-keys"), std::string::npos);
    EXPECT_EQ(deleteKey(kLocalMachine, "A\\Missing"), kFileNotFound);
    EXPECT_EQ(deleteKey(kLocalMachine, ""), kAccessDenied);
    EXPECT_EQ(deleteKey(kLocalMachine, "A\\B"), kSuccess);
    EXPECT_EQ(deleteKey(kLocalMachine, "A"), kSuccess);
    EXPECT_TRUE(keyExists(kLocalMachine, "AB"));

    EXPECT_EQ(createKey(kLocalMachine, "A\\\\B", kAllAccess, other), kInvalidParameter);
    EXPECT_EQ(createKey(kLocalMachine, "\\A", kAllAccess, other), kInvalidParameter);
    const std::string lineBreak = "two\nlines";
    EXPECT_EQ(setStringValue(key, &lineBreak, "x"), kInvalidParameter);
    EXPECT_EQ(setStringValue(12345, &name, "x"), kInvalidHandle);

    ASSERT_EQ(openKey(kLocalMachine, "AB", kRead, other), kSuccess);
    EXPECT_EQ(setStringValue(other, &name, "x"), kAccessDenied);
    EXPECT_EQ(closeKey(other), kSuccess);
    EXPECT_EQ(closeKey(other), kInvalidHandle);
}

TEST_F(Store, HandlesSeeTheStoreAsItIsNow)
{
    create("Shared");
    const Key first = key;
    create("Shared");
    ASSERT_EQ(setStringValue(first, &name, "by first"), kSuccess);
    std::string text;
    ASSERT_EQ(queryStringValue(key, &name, text), kSuccess);
    EXPECT_EQ(text, "by first");

    // Another program rewrites the file between two operations on the same handle.
    writeFile(
        store.machineFile(),
        "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\Shared]\r\n@=\"x\"\r\n");
    ASSERT_EQ(setStringValue(first, nullptr, "y"), kSuccess);
    EXPECT_EQ(queryStringValue(key, &name, text), kFileNotFound);

    ASSERT_EQ(deleteKey(kLocalMachine, "Shared"), kSuccess);
    EXPECT_EQ(setStringValue(first, &name, "again"), kKeyDeleted);
    EXPECT_FALSE(keyExists(kLocalMachine, "Shared"));
}

TEST_F(Store, ThatCannotBeWrittenChangesNothing)
{
    const std::filesystem::path blocker = store.directory() / "not-a-directory";
    writeFile(blocker, "x");
    store.moveTo(blocker);
    Key other = 0;
    EXPECT_EQ(createKey(kLocalMachine, "A", kAllAccess, other), kRegistryIoFailed);
    EXPECT_NE(describeStatus(kRegistryIoFailed).find(blocker.string()), std::string::npos);
    EXPECT_EQ(openKey(kLocalMachine, "A", kAllAccess, other), kFileNotFound);
    EXPECT_EQ(fileText(blocker), "x");
}

TEST_F(Store, RefusesToReplaceAReadOnlyFile)
{
    if (!permissionsBindUs())
        GTEST_SKIP() << "this process may write any file";
    create("A");
    const std::optional<std::string> before = fileText(store.machineFile());
    std::filesystem::permissions(store.machineFile(), std::filesystem::perms::owner_read);
    EXPECT_EQ(setStringValue(key, &name, "x"), kAccessDenied);
    EXPECT_EQ(fileText(store.machineFile()), before);
}

TEST_F(Store, ReportsACorruptFileAndLeavesItAsItWas)
{
    create("A");
    const std::string corrupt = "Windows Registry Editor Version 5.00\r\n"
                                "[HKEY_LOCAL_MACHINE\\A]\r\n"
                                "\"n\"=dword:00000001\r\n";
    writeFile(store.machineFile(), corrupt);

    std::string text;
    Key other = 0;
    EXPECT_EQ(setStringValue(key, &name, "x"), kRegistryCorrupt);
    EXPECT_EQ(describeStatus(kRegistryCorrupt), "the registry store cannot be read (" +
                                                    store.machineFile().string() +
                                                    ": line 3: only string values can be stored)");
    EXPECT_EQ(createKey(kLocalMachine, "B", kAllAccess, other), kRegistryCorrupt);
    EXPECT_EQ(openKey(kLocalMachine, "A", kAllAccess, other), kRegistryCorrupt);
    EXPECT_EQ(queryStringValue(key, &name, text), kRegistryCorrupt);
    EXPECT_EQ(deleteValue(key, &name), kRegistryCorrupt);
    EXPECT_EQ(deleteKey(kLocalMachine, "A"), kRegistryCorrupt);
    EXPECT_EQ(fileText(store.machineFile()), corrupt);
}

TEST(StoreLocation, FollowsTheOverrideThenTheConfigurationDirectory)
{
    const auto restore = [](const char* variable, const char* value) {
        if (value)
            setenv(variable, value, 1);
        else
            unsetenv(variable);
    };
    const std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string config = savedConfig ? savedConfig : "";

    setenv("HOME", "/home/someone", 1);
    unsetenv(kStoreDirectoryVariable);
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(storeDirectory(), "/home/someone/.config/varrow/registry");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(storeDirectory(), "/home/someone/.config/varrow/registry");
    setenv("XDG_CONFIG_HOME", "/etc/xdg-user", 1);
    EXPECT_EQ(storeDirectory(), "/etc/xdg-user/varrow/registry");
    setenv(kStoreDirectoryVariable, "/tmp/elsewhere", 1);
    EXPECT_EQ(storeDirectory(), "/tmp/elsewhere");

    unsetenv(kStoreDirectoryVariable);
    restore("HOME", savedHome.empty() ? nullptr : savedHome.c_str());
    restore("XDG_CONFIG_HOME", savedConfig ? config.c_str() : nullptr);
}

TEST_F(Store, ProgramsChangingItAtOnceLoseNothing)
{
    constexpr int kPrograms = 8;
    constexpr int kValuesEach = 25;
    std::vector<pid_t> programs;
    for (int i = 0; i < kPrograms; ++i) {
        const std::string programName = "writer" + std::to_string(i);
        const std::string count = std::to_string(kValuesEach);
        const char* argv[] = {REGISTRY_STORE_WRITER, "Software\\Shared", programName.c_str(),
                              count.c_str(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, REGISTRY_STORE_WRITER, nullptr, nullptr,
                              const_cast<char* const*>(argv), environ),
                  0);
        programs.push_back(pid);
    }
    for (const pid_t pid : programs) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    for (int i = 0; i < kPrograms; ++i) {
        const std::string programName = "writer" + std::to_string(i);
        EXPECT_TRUE(keyExists(kLocalMachine, "Software\\Shared\\" + programName));
        for (int v = 0; v < kValuesEach; ++v) {
            const std::string valueName = programName + "-" + std::to_string(v);
            EXPECT_EQ(readValue(kLocalMachine, "Software\\Shared", &valueName), valueName);
        }
    }
}

} // namespace
} // namespace varrow::registry
