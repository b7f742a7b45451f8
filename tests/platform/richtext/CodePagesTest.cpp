#include "platform/richtext/CodePages.h"

#include "platform/richtext/Utf8.h"

#include <gtest/gtest.h>

namespace varrow::rtf
{
namespace
{

std::string decoded(std::string_view bytes, int codePage)
{
    std::string text;
    appendDecoded(text, bytes, codePage);
    return text;
}

TEST(CodePages, EveryHighByteOfEverySupportedPageIsOneCharacter)
{
    for (const int codePage :
         {437, 850, 866, 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 10000}) {
        for (int byte = 0x80; byte <= 0xFF; ++byte) {
            const std::string text = decoded(std::string(1, static_cast<char>(byte)), codePage);
            EXPECT_TRUE(isValidUtf8(text)) << codePage << " " << byte;
            EXPECT_GE(text.size(), 2u) << codePage << " " << byte;
        }
    }
}

TEST(CodePages, KnownCharacters)
{
    EXPECT_EQ(decoded("\x80\x9f", 1252), "\u20AC\u0178");
    EXPECT_EQ(decoded("\x8a\xb9", 1250), "\u0160\u0105");
    EXPECT_EQ(decoded("\xa8\xff", 1251), "\u0401\u044F");
    EXPECT_EQ(decoded("\xe1\xfe", 437), "\u00DF\u25A0");
    EXPECT_EQ(decoded("\x9b\xd5", 850), "\u00F8\u0131");
    EXPECT_EQ(decoded("\xe0", 1253), "\u03B0");
    EXPECT_EQ(decoded("ascii", 932), "ascii");
}

TEST(CodePages, CharsetsName)
{
    EXPECT_EQ(codePageOfCharset(0), 1252);
    EXPECT_EQ(codePageOfCharset(1), 0);
    EXPECT_EQ(codePageOfCharset(2), kSymbolCodePage);
    EXPECT_EQ(codePageOfCharset(204), 1251);
    EXPECT_EQ(codePageOfCharset(238), 1250);
    EXPECT_EQ(codePageOfCharset(255), 850);
    EXPECT_EQ(codePageOfCharset(-7), 0);
}

TEST(Utf8, MalformedSequencesBecomeReplacementCharacters)
{
    std::string text;
    appendValidUtf8(text, "a\xC3\xA9\xC3(\x80\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80\xF0\x9F\x98");
    std::string expected = "a\u00E9\uFFFD(";
    for (int i = 0; i < 14; ++i) // one for each byte that begins no well-formed sequence
        expected += "\uFFFD";
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
}

TEST(Utf8, EncodesEveryLength)
{
    std::string text;
    for (const char32_t c :
         {U'A', U'\u00E9', U'\u20AC', U'\U0001F600', char32_t(0xD800), char32_t(0x110000)})
        appendUtf8(text, c);
    EXPECT_EQ(text, "A\u00E9\u20AC\U0001F600\uFFFD\uFFFD");
}

} // namespace
} // namespace varrow::rtf
