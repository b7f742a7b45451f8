#include "RtfTestSupport.h"

#include <gtest/gtest.h>

namespace varrow::rtf
{
namespace
{

using namespace std::string_literals;
using test::joinedText;

struct MalformedCase {
    const char* name;
    std::string input;
    std::string text; // what is shown, paragraphs joined by "|"
    std::vector<Problem> problems;
};

std::ostream& operator<<(std::ostream& out, const MalformedCase& row)
{
    return out << row.name;
}

class Malformed : public testing::TestWithParam<MalformedCase>
{
};

TEST_P(Malformed, ShowsWhatCouldBeRead)
{
    const ParseResult result = parseRtf(GetParam().input);
    EXPECT_EQ(joinedText(result.document), GetParam().text);
    EXPECT_EQ(result.problems, GetParam().problems);
}

std::string nested(int depth, const std::string& inner)
{
    return "{\\rtf1 a" + std::string(std::size_t(depth), '{') + inner +
           std::string(std::size_t(depth), '}') + "b}";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Malformed,
    testing::Values(
        MalformedCase{"PlainTextLines",
                      "hello\r\nworld\rthird\nfourth",
                      "hello|world|third|fourth",
                      {Problem::NotRtf}},
        MalformedCase{"PlainTextInWesternWhenNotUtf8", "caf\xe9", "caf\u00E9", {Problem::NotRtf}},
        MalformedCase{"PlainTextUtf8WithByteOrderMark",
                      "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9",
                      "\u00E9t\u00E9",
                      {Problem::NotRtf}},
        MalformedCase{"Empty", "", "", {Problem::NotRtf}},
        MalformedCase{"HeaderAfterBlanksIsRtf", " \r\n{\\rtf1 a}", "a", {}},
        MalformedCase{
            "MissingClosingBrace", "{\\rtf1 abc\\par def", "abc|def", {Problem::MissingGroupEnd}},
        MalformedCase{"EndsInsideControlWord", "{\\rtf1 abc\\b", "abc", {Problem::MissingGroupEnd}},
        MalformedCase{"EndsAfterBackslash", "{\\rtf1 abc\\", "abc", {Problem::MissingGroupEnd}},
        MalformedCase{"EndsInsideHex",
                      "{\\rtf1 abc\\'4",
                      "abc4",
                      {Problem::BadHexEscape, Problem::MissingGroupEnd}},
        MalformedCase{"EndsInsideUnicodeFallback",
                      "{\\rtf1\\uc4 x\\u8364 ab",
                      "x\u20AC",
                      {Problem::MissingGroupEnd}},
        MalformedCase{"ClosingBraceTooMany", "{\\rtf1 a}}b}", "ab", {Problem::UnbalancedBraces}},
        MalformedCase{"BlankAfterEndIsFine", "{\\rtf1 a}\r\n \0"s, "a", {}},
        MalformedCase{"BadHex", "{\\rtf1 a\\'zzb\\'4g}", "azzb4g", {Problem::BadHexEscape}},
        MalformedCase{"HugeNumbers",
                      "{\\rtf1\\fs99999999999999999999 a\\li-99999999999 b\\f2147483648 c"
                      "\\cf-5 d\\uc99999999\\u65 xyz}",
                      "abcdA",
                      {}},
        MalformedCase{"DeepNestingIsCut", nested(100000, "x"), "ab", {Problem::TooDeeplyNested}},
        MalformedCase{"NestingWithinTheLimitIsKept", nested(kMaxGroupDepth - 1, "x"), "axb", {}},
        MalformedCase{"DeepNestingUnclosed",
                      "{\\rtf1 a" + std::string(5000, '{') + "x",
                      "a",
                      {Problem::TooDeeplyNested, Problem::MissingGroupEnd}},
        MalformedCase{"BinaryHidesBraces", "{\\rtf1 a{\\*\\objdata\\bin3 }{\\}b}", "ab", {}},
        MalformedCase{"NegativeBinaryLength", "{\\rtf1 a\\bin-5 b}", "ab", {}},
        MalformedCase{
            "TruncatedBinary",
            "{\\rtf1 a{\\pict\\pngblip\\bin100 \x89PNG",
            "a",
            {Problem::MissingGroupEnd, Problem::UnreadablePicture, Problem::TruncatedBinary}},
        MalformedCase{"TruncatedPicture",
                      "{\\rtf1 a{\\pict\\pngblip 89504e",
                      "a",
                      {Problem::MissingGroupEnd, Problem::UnreadablePicture}},
        MalformedCase{
            "LongControlWord", "{\\rtf1 a\\" + std::string(100000, 'q') + " b}", "ab", {}},
        MalformedCase{"StarAtEnd", "{\\rtf1 a{\\*", "a", {Problem::MissingGroupEnd}},
        MalformedCase{"PictureInsideFontTable",
                      "{\\rtf1{\\fonttbl{\\f0{\\pict\\pngblip 00}Arial;}}\\f0 a}",
                      "a",
                      {}}));

// Every prefix of a real document reads without harm, and only a complete one reads cleanly.
TEST(MalformedPrefixes, EveryTruncationOfRealDocuments)
{
    for (const char* name : {"word.rtf", "wordpad.rtf", "libreoffice-writer.rtf"}) {
        const std::string whole = test::readData(name);
        const std::size_t step = whole.size() / 256 + 1; // about 256 cuts per document
        for (std::size_t length = 1; length < whole.size(); length += step) {
            const ParseResult result = parseRtf(std::string_view(whole).substr(0, length));
            if (length < whole.size() - 4) {
                EXPECT_FALSE(result.problems.empty()) << name << " cut at " << length;
            }
        }
        EXPECT_TRUE(parseRtf(whole).problems.empty()) << name;
    }
}

} // namespace
} // namespace varrow::rtf
