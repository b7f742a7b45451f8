#include "integration/IETOOLS.h"

#include "ScratchStore.h"

#include <gtest/gtest.h>
#include <vector>

namespace varrow
{
namespace
{

using registry::kLocalMachine;

// Records what the toolbar entry does to the window, in order.
class RecordingMenu : public ToolsMenu
{
public:
    void setItemEnabled(int index, bool enabled) override
    {
        calls.push_back((enabled ? "enable " : "disable ") + std::to_string(index));
    }
    void showStatus(const std::string& text) override { calls.push_back("status: " + text); }

    std::vector<std::string> calls;
};

class FixedSource : public ToolsButtonSource
{
public:
    std::string productName() const override
    {
        ++productNameReads;
        return product;
    }
    std::string executablePath() const override { return "/opt/varrow/bin/varrow"; }

    std::string product = "Varrow";
    mutable int productNameReads = 0;
};

const std::string kKeyPath(kToolsButtonKeyPath);
const std::string kKeyName = "HKEY_LOCAL_MACHINE\\" + kKeyPath;
const std::vector<std::string> kInstalled = {"disable 0", "enable 1"};

std::string storeTextAfterInstall(const std::string& product)
{
    return "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Microsoft]\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer]\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Extensions]\r\n\r\n"
           "[" +
           kKeyName +
           "]\r\n"
           "\"ButtonText\"=\"" +
           product +
           "\"\r\n"
           "\"CLSID\"=\"{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}\"\r\n"
           "\"Default Visible\"=\"Yes\"\r\n"
           "\"Exec\"=\"/opt/varrow/bin/varrow\"\r\n"
           "\"HotIcon\"=\"/opt/varrow/bin/hoticon.ico\"\r\n"
           "\"Icon\"=\"/opt/varrow/bin/icon.ico\"\r\n"
           "\"MenuStatusBar\"=\"" +
           product +
           "\"\r\n"
           "\"MenuText\"=\"&" +
           product + "\"\r\n\r\n";
}

class Ietools : public testing::Test
{
protected:
    registry::ScratchStore store;
    FixedSource source;
    RecordingMenu menu;
};

TEST_F(Ietools, InstallWritesTheEightValuesAndSwitchesTheItems)
{
    InstallToolsButton(source, menu);

    EXPECT_EQ(menu.calls, kInstalled);
    EXPECT_EQ(registry::fileText(store.machineFile()), storeTextAfterInstall("Varrow"));
    EXPECT_EQ(source.productNameReads, 3);
    const std::pair<std::string, std::string> values[] = {
        {"ButtonText", "Varrow"},
        {"CLSID", "{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}"},
        {"Default Visible", "Yes"},
        {"Exec", "/opt/varrow/bin/varrow"},
        {"HotIcon", "/opt/varrow/bin/hoticon.ico"},
        {"Icon", "/opt/varrow/bin/icon.ico"},
        {"MenuStatusBar", "Varrow"},
        {"MenuText", "&Varrow"}};
    for (const auto& [name, text] : values)
        EXPECT_EQ(registry::readValue(kLocalMachine, kKeyPath, &name), text) << name;
}

TEST_F(Ietools, InstallingAgainRewritesTheSameValues)
{
    InstallToolsButton(source, menu);
    source.product = "Renamed";
    InstallToolsButton(source, menu);

    EXPECT_EQ(registry::fileText(store.machineFile()), storeTextAfterInstall("Renamed"));
    EXPECT_EQ(menu.calls,
              (std::vector<std::string>{"disable 0", "enable 1", "disable 0", "enable 1"}));
}

TEST_F(Ietools, RemoveDeletesTheKeyAndKeepsItsParent)
{
    InstallToolsButton(source, menu);
    RemoveToolsButton(menu);

    EXPECT_FALSE(registry::keyExists(kLocalMachine, kKeyPath));
    EXPECT_TRUE(
        registry::keyExists(kLocalMachine, "Software\\Microsoft\\Internet Explorer\\Extensions"));
    EXPECT_EQ(menu.calls,
              (std::vector<std::string>{"disable 0", "enable 1", "disable 1", "enable 0"}));
}

TEST_F(Ietools, RemoveWithoutTheKeyFailsAndSaysSo)
{
    RemoveToolsButton(menu);

    EXPECT_EQ(menu.calls,
              (std::vector<std::string>{
                  "status: Could not remove the program from the IE Tools menu: "
                  "deleting key " +
                  kKeyName + " failed: no such key or value (no key " + kKeyName + ")"}));
}

TEST_F(Ietools, AStoreThatCannotBeWrittenChangesNothing)
{
    InstallToolsButton(source, menu);
    const std::optional<std::string> installed = registry::fileText(store.machineFile());
    // A directory where the lock file belongs stops every change, even for root.
    std::filesystem::remove(store.directory() / "HKEY_LOCAL_MACHINE.lock");
    std::filesystem::create_directory(store.directory() / "HKEY_LOCAL_MACHINE.lock");
    menu.calls.clear();

    RemoveToolsButton(menu);
    const std::filesystem::path blocker = store.directory() / "file";
    registry::writeFile(blocker, "");
    store.moveTo(blocker);
    InstallToolsButton(source, menu);

    ASSERT_EQ(menu.calls.size(), 2u);
    EXPECT_EQ(menu.calls[0], "status: Could not remove the program from the IE Tools menu: "
                             "deleting key " +
                                 kKeyName + " failed: the registry store cannot be written (" +
                                 (store.directory() / "HKEY_LOCAL_MACHINE.lock").string() +
                                 ": Is a directory)");
    EXPECT_EQ(menu.calls[1].rfind("status: Could not add the program to the IE Tools menu: "
                                  "creating key " +
                                      kKeyName + " failed: the registry store cannot be written (" +
                                      blocker.string(),
                                  0),
              0u)
        << menu.calls[1];
    EXPECT_EQ(registry::fileText(store.directory() / "HKEY_LOCAL_MACHINE.reg"), installed);
    EXPECT_EQ(registry::fileText(blocker), "");
}

TEST_F(Ietools, ACorruptStoreIsReportedAndKeptAsItWas)
{
    const std::string corrupt =
        "Windows Registry Editor Version 5.00\r\n[HKEY_LOCAL_MACHINE\\A\r\n";
    registry::writeFile(store.machineFile(), corrupt);

    InstallToolsButton(source, menu);

    ASSERT_EQ(menu.calls.size(), 1u);
    EXPECT_NE(menu.calls[0].find("the registry store cannot be read (" +
                                 store.machineFile().string() +
                                 ": line 2: a key line must end with ])"),
              std::string::npos)
        << menu.calls[0];
    EXPECT_EQ(registry::fileText(store.machineFile()), corrupt);
}

} // namespace
} // namespace varrow
