#include "integration/CRegister.h"

#include "ScratchStore.h"

#include <gtest/gtest.h>

namespace varrow
{
namespace
{

using registry::kLocalMachine;

TEST(TrimKeyPath, RemovesOneSeparatorAtEachEnd)
{
    EXPECT_EQ(TrimKeyPath("\\Software\\Varrow\\"), "Software\\Varrow");
    EXPECT_EQ(TrimKeyPath("\\\\Software"), "\\Software");
    EXPECT_EQ(TrimKeyPath("Software\\\\"), "Software\\");
    EXPECT_EQ(TrimKeyPath("\\"), "");
    EXPECT_EQ(TrimKeyPath("\\\\"), "");
    EXPECT_EQ(TrimKeyPath(""), "");
    EXPECT_EQ(TrimKeyPath("A\\B"), "A\\B");
}

class CRegister : public testing::Test
{
protected:
    registry::ScratchStore store;
    std::string failure;
};

TEST_F(CRegister, WritesAndDeletesTheDefaultValueForTheStar)
{
    ASSERT_TRUE(SetStringValue(kLocalMachine, "\\Software\\Test\\", "*", "unnamed"));
    ASSERT_TRUE(SetStringValue(kLocalMachine, "Software\\Test", "Named", "value"));
    EXPECT_EQ(registry::readValue(kLocalMachine, "Software\\Test", nullptr), "unnamed");
    EXPECT_NE(registry::fileText(store.machineFile())->find("@=\"unnamed\""), std::string::npos);

    ASSERT_TRUE(DeleteKeyOrValue(kLocalMachine, "Software\\Test", "*"));
    EXPECT_EQ(registry::readValue(kLocalMachine, "Software\\Test", nullptr), std::nullopt);
    const std::string named = "Named";
    EXPECT_EQ(registry::readValue(kLocalMachine, "Software\\Test", &named), "value");
}

TEST_F(CRegister, SaysWhatFailedAndWhy)
{
    EXPECT_FALSE(DeleteKeyOrValue(kLocalMachine, "Software\\Missing", "Name", &failure));
    EXPECT_EQ(failure, "opening key HKEY_LOCAL_MACHINE\\Software\\Missing failed: no such key or "
                       "value (no key HKEY_LOCAL_MACHINE\\Software\\Missing)");

    ASSERT_TRUE(SetStringValue(kLocalMachine, "Software\\Test\\Sub", "Name", "value"));
    EXPECT_FALSE(DeleteKeyOrValue(kLocalMachine, "Software\\Test", "Name", &failure));
    EXPECT_EQ(failure,
              "deleting value \"Name\" of HKEY_LOCAL_MACHINE\\Software\\Test failed: no "
              "such key or value (no value \"Name\" in HKEY_LOCAL_MACHINE\\Software\\Test)");
    EXPECT_FALSE(DeleteKeyOrValue(kLocalMachine, "Software\\Test", "", &failure));
    EXPECT_EQ(failure, "deleting key HKEY_LOCAL_MACHINE\\Software\\Test failed: access denied "
                       "(HKEY_LOCAL_MACHINE\\Software\\Test has sub-keys)");
    EXPECT_FALSE(SetStringValue(kLocalMachine, "Software\\\\Test", "Name", "value", &failure));
    EXPECT_EQ(failure, "creating key HKEY_LOCAL_MACHINE\\Software\\\\Test failed: a name that the "
                       "registry cannot hold (key path \"Software\\\\Test\")");
}

} // namespace
} // namespace varrow
