#include "RtfTestSupport.h"
#include "platform/richtext/RtfTables.h"

#include <cctype>
#include <gtest/gtest.h>

namespace varrow::rtf
{
namespace
{

using namespace std::string_literals;
using test::joinedText;
using test::picturesOf;
using test::runWith;

struct TextCase {
    const char* name;
    std::string rtf;
    std::string text; // paragraphs joined by "|"
};

std::ostream& operator<<(std::ostream& out, const TextCase& row)
{
    return out << row.name;
}

class TextOf : public testing::TestWithParam<TextCase>
{
};

TEST_P(TextOf, Document)
{
    const ParseResult result = parseRtf(GetParam().rtf);
    EXPECT_EQ(joinedText(result.document), GetParam().text);
    EXPECT_TRUE(result.problems.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, TextOf,
    testing::Values(
        TextCase{"ParagraphsEndAtPar", R"({\rtf1 one\par two\par})", "one|two"},
        TextCase{"LastParagraphNeedsNoPar", R"({\rtf1 one\par two})", "one|two"},
        TextCase{"EmptyParagraphsStay", R"({\rtf1 a\par\par b})", "a||b"},
        TextCase{"LineAndTab", R"({\rtf1 a\line b\tab c})", "a\nb\tc"},
        TextCase{"LineEndsAreIgnored", "{\\rtf1 a\r\nb\nc}", "abc"},
        TextCase{"BackslashLineEndIsPar", "{\\rtf1 a\\\r\nb}", "a|b"},
        TextCase{"EscapedSpecials", R"({\rtf1 \{x\}\\})", "{x}\\"},
        TextCase{"DelimitingSpaceBelongsToWord", R"({\rtf1 \b bold\b0  x})", "bold x"},
        TextCase{"NamedCharacters",
                 R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\~\_})",
                 "\u2014\u2013\u2022\u2018\u2019\u201C\u201D\u00A0\u2011"},
        TextCase{"SoftHyphen", R"({\rtf1 hy\-phen})", "hy\u00ADphen"},
        TextCase{"NonTextDestinationsAreSkipped",
                 R"({\rtf1{\info{\title T}{\author W}}{\stylesheet{\s0 Normal;}}{\header H\par})"
                 R"({\footer F\par}A{\footnote N}{\*\unknown X{\b Y}}B})",
                 "AB"},
        TextCase{"FieldShowsItsResult",
                 R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt shown}}, )"
                 R"({\field{\fldinst PAGE}{\fldrslt 7}}})",
                 "shown, 7"},
        TextCase{"UnknownGroupWithoutStarKeepsText", R"({\rtf1{\madeup kept}})", "kept"},
        TextCase{"StarBeforeKnownWordIsStillSkipped", R"({\rtf1 a{\*\b b}c})", "ac"},
        TextCase{"HiddenText", R"({\rtf1 a{\v hidden}b\v c\v0 d})", "abd"},
        TextCase{"TableCellsBecomeTabs", R"({\rtf1 A\cell B\cell\row C})", "A\tB|C"},
        TextCase{"ListTextIsKept", R"({\rtf1{\listtext\pard\plain \'b7\tab}Item\par})",
                 "\u00B7\tItem"},
        TextCase{"Bytes8BitInText", "{\\rtf1\\ansi caf\xe9}", "caf\u00E9"},
        TextCase{"ControlBytesAreDropped", "{\\rtf1 a\0b\x01\x7f\tc}"s, "ab\tc"}));

INSTANTIATE_TEST_SUITE_P(
    Unicode, TextOf,
    testing::Values(
        TextCase{"FallbackSkipped", R"({\rtf1 \u8364?x})", "\u20ACx"},
        TextCase{"NegativeMeansAbove32767", R"({\rtf1 \u-10916?})", "\uD55C"},
        TextCase{"HexFallbackSkipped", R"({\rtf1\ansi \u8364\'80x})", "\u20ACx"},
        TextCase{"UcZeroSkipsNothing", R"({\rtf1 \uc0\u8364 x})", "\u20ACx"},
        TextCase{"UcTwo", R"({\rtf1 \uc2\u8364\'80\'80x})", "\u20ACx"},
        TextCase{"FallbackCountsControlWordAsOne", R"({\rtf1 \u8364\emdash x})", "\u20ACx"},
        TextCase{"UcBelongsToGroup", R"({\rtf1{\uc2\u8364 ab}\u8364 ab})", "\u20AC\u20ACb"},
        TextCase{"GroupEndStopsFallback", R"({\rtf1{\uc3\u8364 a}b})", "\u20ACb"},
        TextCase{"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "\U0001F600"},
        TextCase{"SurrogatePairAcrossUcChange", R"({\rtf1 \uc0 \u55357\uc1 \u56832\'3f!})",
                 "\U0001F600!"},
        TextCase{"LoneHighSurrogate", R"({\rtf1 \u-10179?x})", "\uFFFDx"},
        TextCase{"TwoHighSurrogates", R"({\rtf1 \u-10179?\u-10179?\u-8704?})", "\uFFFD\U0001F600"},
        TextCase{"LoneLowSurrogate", R"({\rtf1 \u-8704?x})", "\uFFFDx"},
        TextCase{"HighSurrogateAtEnd", R"({\rtf1 x\u-10179?})", "x\uFFFD"},
        TextCase{"BeyondUnicode", R"({\rtf1 \u99999999999?})", "\uFFFD"},
        TextCase{"ControlCodePointsDropped", R"({\rtf1 a\u0?\u7?\u9?b})", "a\tb"}));

INSTANTIATE_TEST_SUITE_P(
    CodePages, TextOf,
    testing::Values(
        TextCase{"WesternByDefault", R"({\rtf1 \'80\'e9})", "\u20AC\u00E9"},
        TextCase{"CentralEuropean", R"({\rtf1\ansi\ansicpg1250 \'8e\'e8\'f8})",
                 "\u017D\u010D\u0159"},
        TextCase{"Cyrillic", R"({\rtf1\ansi\ansicpg1251 \'c0\'e1\'b8})", "\u0410\u0431\u0451"},
        TextCase{"DosUs", R"({\rtf1\pc \'80\'b3})", "\u00C7\u2502"},
        TextCase{"DosWestern", R"({\rtf1\pca \'d5})", "\u0131"},
        TextCase{"MacRoman", R"({\rtf1\mac \'8a})", "\u00E4"},
        TextCase{"FontCharsetOverridesDocument",
                 R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}})"
                 R"(\'c0\f1\'c0{\f0\'c0}\'c0})",
                 "\u00C0\u0410\u00C0\u0410"},
        TextCase{"DefaultCharsetUsesDocumentPage",
                 R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset1 V;}}\f0\'c0})", "\u0410"},
        TextCase{"DefaultFontGivesPage",
                 R"({\rtf1\ansi\deff1{\fonttbl{\f0 A;}{\f1\fcharset238 B;}}\'8e\plain\'8e})",
                 "\u017D\u017D"},
        TextCase{"CpgOverridesCharset", R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1250 A;}}\f0\'8e})",
                 "\u017D"},
        TextCase{"SymbolBullet", R"({\rtf1{\fonttbl{\f3\fcharset2 Symbol;}}\f3\'b7})", "\u2022"},
        TextCase{"Utf8Page", R"({\rtf1\ansi\ansicpg65001 \'c3\'a9 \'c3x})", "\u00E9 \uFFFDx"},
        TextCase{"UnsupportedPageKeepsAscii", R"({\rtf1\ansi\ansicpg932 a\'82\'a0})",
                 "a\uFFFD\uFFFD"},
        TextCase{"UndefinedByte", R"({\rtf1\ansi\ansicpg1252 \'81})", "\uFFFD"}));

TEST(RtfCharFormat, SwitchesAndGroups)
{
    const Document document =
        parseRtf(R"({\rtf1 \b\i\ul\strike all{\b0 nob}\i0 noi\ulnone noul\strike0 plain )"
                 R"(\ul again\ul0 off \uldb double\plain  reset})")
            .document;
    const CharFormat all = runWith(document, "all").format;
    EXPECT_TRUE(all.bold && all.italic && all.underline && all.strike);
    EXPECT_FALSE(runWith(document, "nob").format.bold);
    EXPECT_TRUE(runWith(document, "noi").format.bold);
    EXPECT_FALSE(runWith(document, "noi").format.italic);
    EXPECT_FALSE(runWith(document, "noul").format.underline);
    EXPECT_FALSE(runWith(document, "plain").format.strike);
    EXPECT_TRUE(runWith(document, "again").format.underline);
    EXPECT_FALSE(runWith(document, "off").format.underline);
    EXPECT_TRUE(runWith(document, "double").format.underline);
    EXPECT_EQ(runWith(document, "reset").format, CharFormat{});
}

TEST(RtfCharFormat, FontsSizesAndColours)
{
    const Document document =
        parseRtf(
            R"({\rtf1\deff0{\fonttbl{\f0\froman Times New Roman;}{\f1\fswiss\fcharset0 Arial;})"
            R"({\f2\fmodern{\*\panose 02070309}Courier New{\*\falt Courier};}})"
            R"({\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
            R"(deflt \f1\fs32\cf1 big red {\f2\fs17\cf0 mono }\highlight2 marked\f9 nofont)"
            R"( \fs0 tiny\super up\sub down\nosupersub base})")
            .document;
    const CharFormat deflt = runWith(document, "deflt").format;
    EXPECT_EQ(deflt.fontFamily, "Times New Roman");
    EXPECT_EQ(deflt.fontGeneric, FontGeneric::Serif);
    EXPECT_EQ(deflt.halfPoints, kDefaultHalfPoints);
    EXPECT_FALSE(deflt.colour);

    const CharFormat bigRed = runWith(document, "big red").format;
    EXPECT_EQ(bigRed.fontFamily, "Arial");
    EXPECT_EQ(bigRed.fontGeneric, FontGeneric::SansSerif);
    EXPECT_EQ(bigRed.halfPoints, 32);
    EXPECT_EQ(bigRed.colour, (Colour{255, 0, 0}));

    const CharFormat mono = runWith(document, "mono").format;
    EXPECT_EQ(mono.fontFamily, "Courier New");
    EXPECT_EQ(mono.fontGeneric, FontGeneric::Monospace);
    EXPECT_EQ(mono.halfPoints, 17);
    EXPECT_FALSE(mono.colour);

    EXPECT_EQ(runWith(document, "marked").format.background, (Colour{0, 0, 255}));
    EXPECT_EQ(runWith(document, "nofont").format.fontFamily, "");
    EXPECT_EQ(runWith(document, "tiny").format.halfPoints, 4);
    EXPECT_EQ(runWith(document, "up").format.vertical, VerticalPosition::Superscript);
    EXPECT_EQ(runWith(document, "down").format.vertical, VerticalPosition::Subscript);
    EXPECT_EQ(runWith(document, "base").format.vertical, VerticalPosition::Baseline);
}

TEST(RtfCharFormat, FontTableWithoutInnerGroupsAndEncodedNames)
{
    const Document document =
        parseRtf(R"({\rtf1{\fonttbl\f0\fswiss Helvetica;\f1\fcharset238 \'8eluty;)"
                 R"(\f2 \u1040?rial;}\f0 a\f1 b\f2 c})")
            .document;
    EXPECT_EQ(runWith(document, "a").format.fontFamily, "Helvetica");
    EXPECT_EQ(runWith(document, "b").format.fontFamily, "\u017Dluty");
    EXPECT_EQ(runWith(document, "c").format.fontFamily, "\u0410rial");
}

TEST(RtfCharFormat, LongFontNamesAreCutBetweenCharacters)
{
    std::string name;
    for (int i = 0; i < 100; ++i)
        name += "\\u1046?";
    std::string expected;
    for (std::size_t i = 0; i < kMaxFontNameBytes / 2; ++i)
        expected += "\u0416";
    const Document document = parseRtf(R"({\rtf1{\fonttbl{\f0 x)" + name + R"(;}}\f0 a})").document;
    EXPECT_EQ(runWith(document, "a").format.fontFamily,
              "x" + expected.substr(0, expected.size() - 2));
}

TEST(RtfCharFormat, NeighbouringTextInOneFormatIsOneRun)
{
    const Document document = parseRtf(R"({\rtf1 a{b}{\b0 c}\'64})").document;
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(document.paragraphs[0].content.size(), 1u);
}

TEST(RtfParagraphFormat, AlignmentIndentsAndSpacing)
{
    const Document document =
        parseRtf(R"({\rtf1\pard\qc centre\par\pard\qr right\par\qj justified\par\pard\ql left\par)"
                 R"(\pard\li720\ri360\fi-360\sb120\sa240 indented\par\pard reset\par)"
                 R"({\pard\qc inner\par}after\par \pard\qr\li99999999 last})")
            .document;
    ASSERT_EQ(document.paragraphs.size(), 9u);
    const auto& p = document.paragraphs;
    EXPECT_EQ(p[0].format.alignment, Alignment::Centre);
    EXPECT_EQ(p[1].format.alignment, Alignment::Right);
    EXPECT_EQ(p[2].format.alignment, Alignment::Justify);
    EXPECT_EQ(p[3].format.alignment, Alignment::Left);
    EXPECT_EQ(p[4].format, (ParagraphFormat{Alignment::Left, 720, 360, -360, 120, 240}));
    EXPECT_EQ(p[5].format, ParagraphFormat{});
    EXPECT_EQ(p[6].format.alignment, Alignment::Centre);
    EXPECT_EQ(p[7].format.alignment, Alignment::Left);
    EXPECT_EQ(p[8].format.alignment, Alignment::Right);
    EXPECT_EQ(p[8].format.leftIndent, 31680);
}

TEST(RtfParagraphFormat, DefaultTabStops)
{
    EXPECT_EQ(parseRtf(R"({\rtf1 a})").document.defaultTabTwips, kDefaultTabTwips);
    EXPECT_EQ(parseRtf(R"({\rtf1\deftab709 a})").document.defaultTabTwips, 709);
    EXPECT_EQ(parseRtf(R"({\rtf1\deftab0 a})").document.defaultTabTwips, kDefaultTabTwips);
}

TEST(RtfParagraphFormat, ParagraphTakesFormatAtItsEnd)
{
    const Document document = parseRtf(R"({\rtf1 text\qc\par})").document;
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(document.paragraphs[0].format.alignment, Alignment::Centre);
}

class RtfPictures : public testing::Test
{
protected:
    static std::string hex(const std::string& bytes)
    {
        static const char* digits = "0123456789abcdef";
        std::string text;
        for (const char c : bytes) {
            text += digits[static_cast<unsigned char>(c) >> 4];
            text += digits[static_cast<unsigned char>(c) & 15];
            if (text.size() % 64 == 0)
                text += "\r\n";
        }
        return text;
    }

    const std::string m_png = test::readData("blocks.png");
    const std::string m_jpeg = test::readData("blocks.jpg");
};

TEST_F(RtfPictures, HexPngWithGoalSizeAndScale)
{
    const ParseResult result = parseRtf(R"({\rtf1 a{\pict\pngblip\picw32\pich20\picwgoal480)"
                                        R"(\pichgoal300\picscalex150\picscaley50 )" +
                                        hex(m_png) + "}b}");
    EXPECT_EQ(joinedText(result.document), "a[png]b");
    const auto pictures = picturesOf(result.document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].data, m_png);
    EXPECT_EQ(pictures[0].widthTwips, 720);
    EXPECT_EQ(pictures[0].heightTwips, 150);
    EXPECT_TRUE(result.problems.empty());
}

TEST_F(RtfPictures, JpegSizedInPixelsWhenNoGoalIsGiven)
{
    std::string upper = hex(m_jpeg);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto pictures =
        picturesOf(parseRtf(R"({\rtf1{\pict\jpegblip\picw32\pich20 )" + upper + "}}").document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].format, PictureFormat::Jpeg);
    EXPECT_EQ(pictures[0].data, m_jpeg);
    EXPECT_EQ(pictures[0].widthTwips, 32 * kTwipsPerPixel);
    EXPECT_EQ(pictures[0].heightTwips, 20 * kTwipsPerPixel);
}

TEST_F(RtfPictures, BinaryData)
{
    const std::string rtf =
        R"({\rtf1{\pict\pngblip\bin)" + std::to_string(m_png.size()) + " " + m_png + "}x}";
    const Document document = parseRtf(rtf).document;
    EXPECT_EQ(joinedText(document), "[png]x");
    ASSERT_EQ(picturesOf(document).size(), 1u);
    EXPECT_EQ(picturesOf(document)[0].data, m_png);
    EXPECT_EQ(picturesOf(document)[0].widthTwips, 0);
}

TEST_F(RtfPictures, OnlyTheShapePictureOfAPairIsShown)
{
    const Document document =
        parseRtf(R"({\rtf1{\*\shppict{\pict{\*\picprop{\sp{\sn a}{\sv 1}}}\pngblip )" + hex(m_png) +
                 R"(}}{\nonshppict{\pict\wmetafile8 0100090000}}})")
            .document;
    EXPECT_EQ(joinedText(document), "[png]");
}

TEST_F(RtfPictures, OtherFormatsAreNotShown)
{
    const ParseResult result =
        parseRtf(R"({\rtf1 a{\pict\wmetafile8 0100}{\pict\dibitmap0 2800}{\pict\emfblip 01}b})");
    EXPECT_EQ(joinedText(result.document), "ab");
    EXPECT_TRUE(result.problems.empty());
}

TEST_F(RtfPictures, DamagedDataIsDroppedAndReported)
{
    const ParseResult result = parseRtf(R"({\rtf1 a{\pict\pngblip 0102030405}b})");
    EXPECT_EQ(joinedText(result.document), "ab");
    EXPECT_EQ(result.problems, std::vector{Problem::UnreadablePicture});
}

TEST_F(RtfPictures, HugeSizesAreCapped)
{
    const auto pictures = picturesOf(
        parseRtf(R"({\rtf1{\pict\pngblip\picwgoal2147483647\picscalex99999 )" + hex(m_png) + "}}")
            .document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].widthTwips, kMaxPictureTwips);
    EXPECT_EQ(pictures[0].heightTwips, 0);
}

} // namespace
} // namespace varrow::rtf
