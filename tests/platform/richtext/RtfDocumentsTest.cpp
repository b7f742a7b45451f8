#include "RtfTestSupport.h"

#include <gtest/gtest.h>

// Documents as word processors save them: one converted by LibreOffice Writer from the .fodt
// beside it, and two written the way WordPad and Word write theirs.
namespace varrow::rtf
{
namespace
{

using test::paragraphTexts;
using test::picturesOf;
using test::readData;
using test::runWith;

TEST(LibreOfficeDocument, TextFormattingAndPictures)
{
    const ParseResult result = parseRtf(readData("libreoffice-writer.rtf"));
    EXPECT_TRUE(result.problems.empty());
    const Document& document = result.document;
    EXPECT_EQ(paragraphTexts(document),
              (std::vector<std::string>{
                  "Varrow sample document",
                  "Plain, bold, italic, underlined, struck, red, big and mono.",
                  "Centred line",
                  "Right line",
                  "Justified line",
                  "Indented line",
                  "Czech: P\u0159\u00EDli\u0161 \u017Elu\u0165ou\u010Dk\u00FD k\u016F\u0148 "
                  "\u00FAp\u011Bl \u010F\u00E1belsk\u00E9 \u00F3dy.",
                  "Russian: \u0421\u044A\u0435\u0448\u044C \u0436\u0435 \u0435\u0449\u0451 "
                  "\u044D\u0442\u0438\u0445 \u043C\u044F\u0433\u043A\u0438\u0445 "
                  "\u0444\u0440\u0430\u043D\u0446\u0443\u0437\u0441\u043A\u0438\u0445 "
                  "\u0431\u0443\u043B\u043E\u043A.",
                  "Greek: \u039E\u03B5\u03C3\u03BA\u03B5\u03C0\u03AC\u03B6\u03C9 "
                  "\u03C4\u03B7\u03BD \u03C8\u03C5\u03C7\u03BF\u03C6\u03B8\u03CC\u03C1\u03B1 "
                  "\u03B2\u03B4\u03B5\u03BB\u03C5\u03B3\u03BC\u03AF\u03B1.",
                  "Symbols: \u20AC \u201Cquoted\u201D \u2013 dash\u2026 \U0001F600",
                  "Line one\nline two\tafter tab",
                  "PNG: [png]",
                  "JPEG: [jpeg]",
                  "The end.",
              }));

    const CharFormat title = runWith(document, "Varrow sample").format;
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.halfPoints, 40);
    EXPECT_EQ(title.fontFamily, "Liberation Sans");
    EXPECT_EQ(document.paragraphs[0].format.alignment, Alignment::Centre);

    EXPECT_EQ(runWith(document, "Plain").format.fontFamily, "DejaVu Serif");
    EXPECT_TRUE(runWith(document, "bold").format.bold);
    EXPECT_TRUE(runWith(document, "italic").format.italic);
    EXPECT_TRUE(runWith(document, "underlined").format.underline);
    EXPECT_TRUE(runWith(document, "struck").format.strike);
    EXPECT_EQ(runWith(document, "red").format.colour, (Colour{192, 0, 0}));
    EXPECT_EQ(runWith(document, "big").format.halfPoints, 32);
    EXPECT_EQ(runWith(document, "mono").format.fontGeneric, FontGeneric::Monospace);
    EXPECT_FALSE(runWith(document, "Plain").format.bold);

    EXPECT_EQ(document.paragraphs[3].format.alignment, Alignment::Right);
    EXPECT_EQ(document.paragraphs[4].format.alignment, Alignment::Justify);
    EXPECT_EQ(document.paragraphs[5].format,
              (ParagraphFormat{Alignment::Left, 1440, 720, -360, 180, 90}));

    const auto pictures = picturesOf(document);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].data, readData("blocks.png"));
    EXPECT_EQ(pictures[0].widthTwips, 720); // half an inch
    EXPECT_EQ(pictures[0].heightTwips, 450);
    EXPECT_EQ(pictures[1].format, PictureFormat::Jpeg);
    EXPECT_EQ(pictures[1].data, readData("blocks.jpg"));
    EXPECT_EQ(pictures[1].widthTwips, 1440);
    EXPECT_EQ(pictures[1].heightTwips, 900);
}

TEST(WordPadDocument, CodePagesListsAndColours)
{
    const ParseResult result = parseRtf(readData("wordpad.rtf"));
    EXPECT_TRUE(result.problems.empty());
    const Document& document = result.document;
    EXPECT_EQ(paragraphTexts(document),
              (std::vector<std::string>{
                  "Caf\u00E9 menu",
                  "Prices in \u20AC: espresso 1,20 \u2013 latte 2,50",
                  "\u017Dena \u010D\u00EDr\u00E1, \u017Elut\u00E1 (cp1250)",
                  "\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440 (cp1251)",
                  "\u2022\tFirst point",
                  "\u2022\tSecond point",
                  "old new",
              }));

    const CharFormat title = runWith(document, "menu").format;
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.halfPoints, 32);
    EXPECT_EQ(title.colour, (Colour{0, 77, 187}));
    EXPECT_EQ(title.fontFamily, "Calibri");
    EXPECT_EQ(document.paragraphs[0].format.alignment, Alignment::Centre);
    EXPECT_EQ(document.paragraphs[0].format.spaceAfter, 200);

    EXPECT_TRUE(runWith(document, "espresso").format.italic);
    EXPECT_TRUE(runWith(document, "latte").format.underline);
    EXPECT_FALSE(runWith(document, " 2,50").format.underline);
    EXPECT_EQ(runWith(document, "(cp1250)").format.fontFamily, "Arial");
    EXPECT_EQ(runWith(document, "First").format.halfPoints, 22);
    EXPECT_EQ(document.paragraphs[4].format.leftIndent, 720);
    EXPECT_EQ(document.paragraphs[4].format.firstLineIndent, -360);

    const CharFormat old = runWith(document, "old").format;
    EXPECT_TRUE(old.strike);
    EXPECT_EQ(old.colour, (Colour{155, 0, 211}));
    EXPECT_FALSE(runWith(document, " new").format.colour);
    EXPECT_EQ(document.paragraphs[6].format.alignment, Alignment::Right);
}

TEST(WordDocument, SkipsWhatIsNotBodyText)
{
    const ParseResult result = parseRtf(readData("word.rtf"));
    EXPECT_TRUE(result.problems.empty());
    const Document& document = result.document;
    EXPECT_EQ(paragraphTexts(document),
              (std::vector<std::string>{
                  "\u0417\u0430\u0433\u043E\u043B\u043E\u0432\u043E\u043A",
                  "\u041E\u0431\u044B\u0447\u043D\u044B\u0439 \u0442\u0435\u043A\u0441\u0442 "
                  "\u0415\u0449\u0451, link text, \u4F60\u597D, x2.",
                  "Cell A\tCell B",
                  "[png]",
              }));

    const CharFormat title = runWith(document, "\u0417\u0430").format;
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.fontFamily, "Arial");
    EXPECT_EQ(title.halfPoints, 32);
    EXPECT_EQ(document.paragraphs[0].format.alignment, Alignment::Centre);
    EXPECT_EQ(document.paragraphs[1].format.alignment, Alignment::Justify);

    const CharFormat word = runWith(document, "\u0415\u0449\u0451").format;
    EXPECT_TRUE(word.bold);
    EXPECT_EQ(word.colour, (Colour{192, 0, 0}));
    const CharFormat link = runWith(document, "link text").format;
    EXPECT_TRUE(link.underline);
    EXPECT_EQ(link.colour, (Colour{0, 0, 255}));
    EXPECT_EQ(runWith(document, "\u4F60").format.fontFamily, "Verdana");
    EXPECT_EQ(runWith(document, "2").format.vertical, VerticalPosition::Superscript);

    const auto pictures = picturesOf(document);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].data, readData("blocks.png"));
    EXPECT_EQ(pictures[0].widthTwips, 480);
    EXPECT_EQ(document.paragraphs[3].format.alignment, Alignment::Centre);
}

// The help file shipped beside the program reads cleanly and names every command, tab and window
// by its caption, set in bold, and every working file in the typewriter font.
TEST(ShippedHelpFile, NamesEveryCaptionAndWorkingFile)
{
    const ParseResult result = parseRtf(readTextFile(VARROW_HELP_FILE));
    EXPECT_TRUE(result.problems.empty());
    const Document& document = result.document;
    EXPECT_EQ(document.paragraphs.front().format.alignment, Alignment::Centre);
    for (const char* caption : {"Back",
                                "Forward",
                                "Stop",
                                "Refresh",
                                "Up Dir",
                                "Send to IE",
                                "Visit",
                                "URL:",
                                "Go!",
                                "Browser",
                                "Source Code",
                                "Images",
                                "File",
                                "Open",
                                "Exit",
                                "Go",
                                "View",
                                "Tools",
                                "Back a Directory",
                                "Send Page to Browser Tab",
                                "Add program to IE Tools Menu",
                                "Remove Program from IE Tools Menu",
                                "Help",
                                "View Help",
                                "About",
                                "About this software",
                                "Readme/Help",
                                "Show at Startup"})
        EXPECT_TRUE(runWith(document, caption).format.bold) << caption;
    for (const char* file : {"checkImages.txt", "checkImagesClean.txt", "source.htm",
                             "imagepage.html", "browser.txt", "images.htm", "Help.rtf"})
        EXPECT_EQ(runWith(document, file).format.fontGeneric, FontGeneric::Monospace) << file;
}

} // namespace
} // namespace varrow::rtf
