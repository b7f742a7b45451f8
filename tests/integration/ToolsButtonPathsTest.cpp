#include "integration/ToolsButtonPaths.h"

#include <gtest/gtest.h>

namespace varrow
{
namespace
{

struct PathsCase {
    const char* what;
    PathStyle style;
    const char* executablePath;
    ToolsButtonPaths expected;
};

class ComposeToolsButtonPaths : public testing::TestWithParam<PathsCase>
{
};

TEST_P(ComposeToolsButtonPaths, NamesTheFilesInTheProgramDirectory)
{
    const ToolsButtonPaths paths =
        composeToolsButtonPaths(GetParam().executablePath, GetParam().style);
    EXPECT_EQ(paths.executable, GetParam().expected.executable);
    EXPECT_EQ(paths.hotIcon, GetParam().expected.hotIcon);
    EXPECT_EQ(paths.icon, GetParam().expected.icon);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComposeToolsButtonPaths,
    testing::Values(PathsCase{"WindowsBaseNamePlusExe",
                              PathStyle::Windows,
                              "C:\\Program Files\\Varrow\\Varrow.EXE",
                              {"C:\\Program Files\\Varrow\\Varrow.exe",
                               "C:\\Program Files\\Varrow\\hoticon.ico",
                               "C:\\Program Files\\Varrow\\icon.ico"}},
                    PathsCase{
                        "WindowsDottedName",
                        PathStyle::Windows,
                        "D:/apps/my.varrow.bin",
                        {"D:/apps\\my.varrow.exe", "D:/apps\\hoticon.ico", "D:/apps\\icon.ico"}},
                    PathsCase{"PosixRealFileName",
                              PathStyle::Posix,
                              "/opt/varrow/bin/varrow",
                              {"/opt/varrow/bin/varrow", "/opt/varrow/bin/hoticon.ico",
                               "/opt/varrow/bin/icon.ico"}},
                    PathsCase{"PosixBackslashIsAName",
                              PathStyle::Posix,
                              "/opt/a\\b/varrow",
                              {"/opt/a\\b/varrow", "/opt/a\\b/hoticon.ico", "/opt/a\\b/icon.ico"}}),
    [](const testing::TestParamInfo<PathsCase>& row) { return row.param.what; });

} // namespace
} // namespace varrow
