// The toolbar entry against the registry this build talks to: the system's own on Windows (under
// Wine, a fresh prefix's), the store of our own elsewhere.
#include "integration/CRegister.h"
#include "integration/IETOOLS.h"

#ifndef _WIN32
#include "ScratchStore.h"
#endif

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace varrow
{
namespace
{

using registry::kAllAccess;
using registry::kLocalMachine;

std::optional<std::string> valueOf(const std::string& path, const std::string* name)
{
    registry::Key key = 0;
    if (registry::openKey(kLocalMachine, path, kAllAccess, key) != registry::kSuccess)
        return std::nullopt;
    std::string text;
    const bool found = registry::queryStringValue(key, name, text) == registry::kSuccess;
    registry::closeKey(key);
    return found ? std::optional(text) : std::nullopt;
}

bool keyExists(const std::string& path)
{
    registry::Key key = 0;
    if (registry::openKey(kLocalMachine, path, kAllAccess, key) != registry::kSuccess)
        return false;
    registry::closeKey(key);
    return true;
}

class NoMenu : public ToolsMenu
{
public:
    void setItemEnabled(int, bool) override {}
    void showStatus(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
};

class FixedSource : public ToolsButtonSource
{
public:
    std::string productName() const override { return "Varrow"; }
    std::string executablePath() const override { return executable; }
#ifdef _WIN32
    std::string executable = "C:\\Program Files\\Varrow\\varrow.exe";
#else
    std::string executable = "/opt/varrow/bin/varrow";
#endif
};

class RegistryRoundTrip : public testing::Test
{
protected:
#ifndef _WIN32
    registry::ScratchStore store;
#endif
    NoMenu menu;
    const std::string key{kToolsButtonKeyPath};
};

TEST_F(RegistryRoundTrip, InstallThenRemoveLeavesTheParentKey)
{
    InstallToolsButton(FixedSource(), menu);
    EXPECT_TRUE(menu.statuses.empty());
    const std::string buttonText = "ButtonText";
    const std::string menuText = "MenuText";
    EXPECT_EQ(valueOf(key, &buttonText), "Varrow");
    EXPECT_EQ(valueOf(key, &menuText), "&Varrow");

    RemoveToolsButton(menu);
    EXPECT_TRUE(menu.statuses.empty());
    EXPECT_FALSE(keyExists(key));
    EXPECT_TRUE(keyExists("Software\\Microsoft\\Internet Explorer\\Extensions"));

    RemoveToolsButton(menu); // nothing left to remove: the delete fails and says so
    ASSERT_EQ(menu.statuses.size(), 1u);
    EXPECT_NE(menu.statuses[0].find("Could not remove"), std::string::npos);
}

TEST_F(RegistryRoundTrip, TheStarNamesTheDefaultValue)
{
    const std::string path = "Software\\Varrow Tests\\Default";
    ASSERT_TRUE(SetStringValue(kLocalMachine, "\\" + path + "\\", "*", "unnamed"));
    EXPECT_EQ(valueOf(path, nullptr), "unnamed");
    ASSERT_TRUE(DeleteKeyOrValue(kLocalMachine, path, "*"));
    EXPECT_EQ(valueOf(path, nullptr), std::nullopt);
    EXPECT_TRUE(DeleteKeyOrValue(kLocalMachine, path, ""));
}

TEST_F(RegistryRoundTrip, DeletingAMissingKeyOrAParentFails)
{
    EXPECT_FALSE(DeleteKeyOrValue(kLocalMachine, "Software\\Varrow Tests\\Missing", ""));
    ASSERT_TRUE(SetStringValue(kLocalMachine, "Software\\Varrow Tests\\Parent\\Child", "v", "x"));
    EXPECT_FALSE(DeleteKeyOrValue(kLocalMachine, "Software\\Varrow Tests\\Parent", ""));
    EXPECT_TRUE(DeleteKeyOrValue(kLocalMachine, "Software\\Varrow Tests\\Parent\\Child", ""));
    EXPECT_TRUE(DeleteKeyOrValue(kLocalMachine, "Software\\Varrow Tests\\Parent", ""));
}

} // namespace
} // namespace varrow
