#include "platform/registry/HiveText.h"

#include <gtest/gtest.h>

namespace varrow::registry
{
namespace
{

constexpr std::string_view kRoot = "HKEY_LOCAL_MACHINE";

Hive parsed(std::string_view text)
{
    Hive hive;
    HiveTextError error;
    EXPECT_TRUE(parseHiveText(text, kRoot, hive, error)) << error.line << ": " << error.reason;
    return hive;
}

TEST(HiveText, WritesKeysInTreeOrderWithTheirValuesEscaped)
{
    Hive hive;
    const std::string name = "Na\"me\\";
    hive.ensure("Software\\b").setValue(&name, "C:\\dir \"x\"");
    hive.ensure("Software\\A b");
    hive.ensure("Software\\a\\c").setValue(nullptr, "two\r\nlines");
    hive.ensure("").setValue(nullptr, "");

    EXPECT_EQ(formatHiveText(hive, kRoot), "Windows Registry Editor Version 5.00\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE]\r\n"
                                           "@=\"\"\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\Software]\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\a]\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\a\\c]\r\n"
                                           "@=hex(1):74,77,6f,0d,0a,6c,69,6e,65,73,00\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\A b]\r\n\r\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\b]\r\n"
                                           "\"Na\\\"me\\\\\"=\"C:\\\\dir \\\"x\\\"\"\r\n\r\n");
}

TEST(HiveText, ReadsBackWhatItWrites)
{
    Hive hive;
    const std::string names[] = {"plain", "quote\"", "back\\slash", "caf\xC3\xA9"};
    HiveKey& key = hive.ensure("K]\\\xC3\xA9 ]");
    const std::string withNul("\n\0end", 5);
    for (const std::string& name : names)
        key.setValue(&name, name + withNul + name);
    key.setValue(nullptr, "\"default\"");
    const std::string empty;
    key.setValue(&empty, "\"default\""); // the empty name is the default value too

    const std::string text = formatHiveText(hive, kRoot);
    EXPECT_EQ(formatHiveText(parsed(text), kRoot), text);
    const Hive again = parsed(text);
    const HiveKey* read = again.find("k]\\\xC3\xA9 ]");
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->values.size(), 5u);
    EXPECT_EQ(read->findValue(&names[1])->text, names[1] + withNul + names[1]);
    EXPECT_EQ(read->findValue(nullptr)->text, "\"default\"");
}

TEST(HiveText, AcceptsHandEditedLayout)
{
    // LF line ends, a byte order mark, trailing blanks, a key without its parents, any case.
    const Hive hive = parsed("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
                             "[hkey_local_machine\\A\\B]  \n"
                             "\"x\"=\"1\"\t\n"
                             "\"X\"=\"2\"\r");
    ASSERT_NE(hive.find("a"), nullptr);
    ASSERT_NE(hive.find("a\\b"), nullptr);
    ASSERT_EQ(hive.find("A\\B")->values.size(), 1u);
    EXPECT_EQ(hive.find("A\\B")->values[0].text, "2");
}

struct CorruptCase {
    const char* what;
    const char* text;
    std::size_t line;
    const char* reason;
};

class CorruptHiveText : public testing::TestWithParam<CorruptCase>
{
};

TEST_P(CorruptHiveText, IsRefusedWithTheLineAndReason)
{
    Hive hive;
    HiveTextError error;
    EXPECT_FALSE(parseHiveText(GetParam().text, kRoot, hive, error));
    EXPECT_EQ(error.line, GetParam().line);
    EXPECT_NE(error.reason.find(GetParam().reason), std::string::npos) << error.reason;
}

#define HEADER "Windows Registry Editor Version 5.00\r\n"
INSTANTIATE_TEST_SUITE_P(
    Cases, CorruptHiveText,
    testing::Values(
        CorruptCase{"Empty", "", 1, "empty"},
        CorruptCase{"OtherHeader", "REGEDIT4\r\n", 1, "expected \"Windows Registry"},
        CorruptCase{"ValueBeforeKey", HEADER "\"a\"=\"b\"\r\n", 2, "before the first"},
        CorruptCase{"OtherRoot", HEADER "[HKEY_CURRENT_USER\\A]\r\n", 2, "not below"},
        CorruptCase{"RootPrefixOnly", HEADER "[HKEY_LOCAL_MACHINEX]\r\n", 2, "not below"},
        CorruptCase{"UnclosedKey", HEADER "[HKEY_LOCAL_MACHINE\\A\r\n", 2, "end with ]"},
        CorruptCase{"EmptyKeyName", HEADER "[HKEY_LOCAL_MACHINE\\A\\\\B]\r\n", 2, "empty name"},
        CorruptCase{"Stray", HEADER "\r\n[HKEY_LOCAL_MACHINE]\r\nx=1\r\n", 4, "expected a"},
        CorruptCase{"NoEquals", HEADER "[HKEY_LOCAL_MACHINE]\r\n\"a\" \"b\"\r\n", 3, "expected ="},
        CorruptCase{"UnknownEscape", HEADER "[HKEY_LOCAL_MACHINE]\r\n@=\"\\n\"\r\n", 3, "escape"},
        CorruptCase{"Unterminated", HEADER "[HKEY_LOCAL_MACHINE]\r\n@=\"abc\r\n", 3, "closing"},
        CorruptCase{"AfterQuote", HEADER "[HKEY_LOCAL_MACHINE]\r\n@=\"a\"b\r\n", 3, "after the"},
        CorruptCase{"Dword", HEADER "[HKEY_LOCAL_MACHINE]\r\n@=dword:00000001\r\n", 3, "string"},
        CorruptCase{"HexDigits", HEADER "[HKEY_LOCAL_MACHINE]\r\n@=hex(1):6,00\r\n", 3, "two hex"},
        CorruptCase{"HexNoNul", HEADER "[HKEY_LOCAL_MACHINE]\r\n@=hex(1):61\r\n", 3, "00"}),
    [](const testing::TestParamInfo<CorruptCase>& row) { return row.param.what; });

} // namespace
} // namespace varrow::registry
