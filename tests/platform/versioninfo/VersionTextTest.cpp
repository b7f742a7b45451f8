#include "platform/versioninfo/VersionText.h"

#include <gtest/gtest.h>

namespace varrow
{
namespace
{

struct TextCase {
    const char* name;
    std::string text;
    VersionInfo expected;
};

class VersionTextCases : public testing::TestWithParam<TextCase>
{
};

TEST_P(VersionTextCases, ParsesFields)
{
    const VersionInfo info = parseVersionText(GetParam().text);
    const VersionInfo& expected = GetParam().expected;
    EXPECT_EQ(info.productName, expected.productName);
    EXPECT_EQ(info.companyName, expected.companyName);
    EXPECT_EQ(info.comments, expected.comments);
    EXPECT_EQ(info.major, expected.major);
    EXPECT_EQ(info.minor, expected.minor);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionTextCases,
    testing::Values(
        TextCase{"AllFields",
                 "ProductName=Varrow\nCompanyName=Varrow Project\nComments=www.varrow.example\n"
                 "FileVersion=1.0\n",
                 {"Varrow", "Varrow Project", "www.varrow.example", 1, 0}},
        TextCase{"EmptyAndMissingFields", "ProductName=\nComments=\n", {"", "", "", 0, 0}},
        TextCase{"ValuesKeptExactly", "ProductName= a=b \nComments=x\n", {" a=b ", "", "x", 0, 0}},
        TextCase{"CrLfAndNoFinalNewline", "ProductName=A\r\nCompanyName=B", {"A", "B", "", 0, 0}},
        TextCase{"LoneCrStaysInTheValue", "ProductName=A\rB\n", {"A\rB", "", "", 0, 0}},
        TextCase{
            "KeysAreExact", "productname=A\nProductName =B\nProductName=C\n", {"C", "", "", 0, 0}},
        TextCase{"UnknownKeysAndLinesWithoutEquals",
                 "Junk\nFoo=Bar\n\nComments=c\n",
                 {"", "", "c", 0, 0}},
        TextCase{"LaterLineReplacesEarlier", "Comments=one\nComments=\n", {"", "", "", 0, 0}},
        TextCase{"StopsAtNul", "ProductName=A\0\nCompanyName=B\n"s, {"A", "", "", 0, 0}},
        TextCase{"VersionTwoZero", "FileVersion=2.0\n", {"", "", "", 2, 0}},
        TextCase{"VersionMajorOnly", "FileVersion=7\n", {"", "", "", 7, 0}},
        TextCase{"VersionFourParts", "FileVersion=65535.12.3.4\n", {"", "", "", 65535, 12}},
        TextCase{"VersionFiveParts", "FileVersion=1.2.3.4.5\n", {"", "", "", 0, 0}},
        TextCase{"VersionPartTooLarge", "FileVersion=1.65536\n", {"", "", "", 0, 0}},
        TextCase{"VersionNotNumeric", "FileVersion=1.x\n", {"", "", "", 0, 0}},
        TextCase{"VersionEmptyPart", "FileVersion=1..0\n", {"", "", "", 0, 0}},
        TextCase{"VersionSpaces", "FileVersion= 1.0\n", {"", "", "", 0, 0}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace varrow
