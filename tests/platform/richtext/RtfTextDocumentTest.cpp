#include "platform/richtext/RtfTextDocument.h"

#include "platform/textfile/TextFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <gtest/gtest.h>

namespace varrow
{
namespace
{

const std::filesystem::path kDataDir = VARROW_RTF_DATA_DIR;

// The first fragment of the document whose text contains `needle`.
QTextFragment fragmentWith(const QTextDocument& document, const QString& needle)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(needle))
                return it.fragment();
        }
    }
    ADD_FAILURE() << "no fragment contains " << needle.toStdString();
    return {};
}

std::vector<QTextImageFormat> imagesOf(const QTextDocument& document)
{
    std::vector<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.push_back(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

TEST(RtfTextDocument, BuildsBlocksFormatsAndImages)
{
    QTextDocument document;
    const auto problems = loadRtfFile(document, kDataDir / "libreoffice-writer.rtf");
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(document.blockCount(), 14);

    const QTextBlock title = document.begin();
    EXPECT_EQ(title.text(), "Varrow sample document");
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    const QTextCharFormat titleFormat = fragmentWith(document, "Varrow").charFormat();
    EXPECT_EQ(titleFormat.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(titleFormat.fontPointSize(), 20.0);
    EXPECT_EQ(titleFormat.fontFamilies().toStringList(), QStringList{"Liberation Sans"});

    EXPECT_TRUE(fragmentWith(document, "italic").charFormat().fontItalic());
    EXPECT_TRUE(fragmentWith(document, "underlined").charFormat().fontUnderline());
    EXPECT_TRUE(fragmentWith(document, "struck").charFormat().fontStrikeOut());
    EXPECT_EQ(fragmentWith(document, "red").charFormat().foreground().color(), QColor(192, 0, 0));
    EXPECT_EQ(fragmentWith(document, "Plain").charFormat().fontWeight(), QFont::Normal);
    EXPECT_EQ(fragmentWith(document, "mono").charFormat().fontStyleHint(), QFont::Monospace);

    const QTextBlockFormat indented = document.findBlockByNumber(5).blockFormat();
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 96.0); // one inch
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.textIndent(), -24.0);
    EXPECT_DOUBLE_EQ(indented.topMargin(), 12.0);
    EXPECT_DOUBLE_EQ(indented.bottomMargin(), 6.0);

    EXPECT_EQ(document.findBlockByNumber(10).text(),
              QString("Line one") + QChar::LineSeparator + "line two\tafter tab");
    EXPECT_TRUE(document.findBlockByNumber(9).text().endsWith(QString::fromUcs4(U"\U0001F600")));

    const auto images = imagesOf(document);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_DOUBLE_EQ(images[0].width(), 48.0);
    EXPECT_DOUBLE_EQ(images[0].height(), 30.0);
    const QVariant png = document.resource(QTextDocument::ImageResource, QUrl(images[0].name()));
    ASSERT_TRUE(png.canConvert<QImage>());
    EXPECT_EQ(png.value<QImage>().size(), QSize(32, 20));
    const QVariant jpeg = document.resource(QTextDocument::ImageResource, QUrl(images[1].name()));
    EXPECT_EQ(jpeg.value<QImage>().size(), QSize(32, 20));
}

TEST(RtfTextDocument, TabStops)
{
    QTextDocument document;
    loadRtfInto(document, R"({\rtf1\deftab360 a\par\li720\fi-360 \bullet\tab item\par})");
    EXPECT_DOUBLE_EQ(document.defaultTextOption().tabStopDistance(), 24.0);
    EXPECT_TRUE(document.findBlockByNumber(0).blockFormat().tabPositions().isEmpty());
    // The hanging indent's own stop, counted from the start of the first line.
    const auto tabs = document.findBlockByNumber(1).blockFormat().tabPositions();
    ASSERT_EQ(tabs.size(), 1);
    EXPECT_DOUBLE_EQ(tabs[0].position, 24.0);
}

TEST(RtfTextDocument, ReplacesEarlierContent)
{
    QTextDocument document;
    document.setPlainText("old text\nsecond");
    loadRtfInto(document, R"({\rtf1 new})");
    EXPECT_EQ(document.toPlainText(), "new");
}

TEST(RtfTextDocument, PictureQtCannotDecodeIsLeftOut)
{
    QTextDocument document;
    const auto problems =
        loadRtfInto(document, R"({\rtf1 a{\pict\pngblip 89504e470d0a1a0a0000ffff}b})");
    EXPECT_EQ(problems, std::vector{rtf::Problem::UnreadablePicture});
    EXPECT_EQ(document.toPlainText(), "ab");
    EXPECT_TRUE(imagesOf(document).empty());
}

TEST(RtfTextDocument, DamagedInputShowsWhatWasRead)
{
    QTextDocument document;
    const auto problems = loadRtfInto(document, "{\\rtf1 {\\b Heading}\\par text \\'zz");
    EXPECT_EQ(document.toPlainText(), "Heading\ntext zz");
    EXPECT_EQ(problems, (std::vector{rtf::Problem::BadHexEscape, rtf::Problem::MissingGroupEnd}));
}

TEST(RtfTextDocument, UnreadableFileIsNamedAndLeavesDocumentEmpty)
{
    QTextDocument document;
    document.setPlainText("old");
    const auto missing = kDataDir / "no-such-file.rtf";
    try {
        loadRtfFile(document, missing);
        FAIL() << "no error for a missing file";
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), missing);
        EXPECT_FALSE(error.reason().empty());
    }
    EXPECT_TRUE(document.isEmpty());
}

} // namespace
} // namespace varrow

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
