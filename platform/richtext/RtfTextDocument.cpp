#include "platform/richtext/RtfTextDocument.h"

#include "platform/textfile/TextFile.h"

#include <QFont>
#include <QImage>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>

namespace varrow
{
namespace
{

constexpr double kHalfPointsPerPoint = 2.0;

double pixels(int twips)
{
    return double(twips) / rtf::kTwipsPerPixel;
}

QColor qtColour(const rtf::Colour& colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QTextBlockFormat blockFormat(const rtf::ParagraphFormat& paragraph)
{
    QTextBlockFormat format;
    switch (paragraph.alignment) {
    case rtf::Alignment::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case rtf::Alignment::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case rtf::Alignment::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case rtf::Alignment::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    // Qt lays no text outside the page, so indents into the margin stop at its edge.
    format.setLeftMargin(std::max(0.0, pixels(paragraph.leftIndent)));
    format.setRightMargin(std::max(0.0, pixels(paragraph.rightIndent)));
    format.setTextIndent(pixels(paragraph.firstLineIndent));
    // A hanging indent has a tab stop of its own where the following lines begin, so that a list
    // item's marker and tab line its text up with them. Qt measures tab stops from where the
    // line starts, which for the first line is the indent.
    if (paragraph.firstLineIndent < 0 && paragraph.leftIndent > 0)
        format.setTabPositions({QTextOption::Tab(-format.textIndent(), QTextOption::LeftTab)});
    format.setTopMargin(pixels(paragraph.spaceBefore));
    format.setBottomMargin(pixels(paragraph.spaceAfter));
    return format;
}

QFont::StyleHint styleHint(rtf::FontGeneric generic)
{
    switch (generic) {
    case rtf::FontGeneric::Serif:
        return QFont::Serif;
    case rtf::FontGeneric::SansSerif:
        return QFont::SansSerif;
    case rtf::FontGeneric::Monospace:
        return QFont::Monospace;
    case rtf::FontGeneric::Script:
        return QFont::Cursive;
    case rtf::FontGeneric::Decorative:
        return QFont::Decorative;
    case rtf::FontGeneric::Unknown:
        break;
    }
    return QFont::AnyStyle;
}

QTextCharFormat charFormat(const rtf::CharFormat& run)
{
    QTextCharFormat format;
    if (!run.fontFamily.empty())
        format.setFontFamilies({QString::fromStdString(run.fontFamily)});
    format.setFontStyleHint(styleHint(run.fontGeneric));
    format.setFontPointSize(run.halfPoints / kHalfPointsPerPoint);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontStrikeOut(run.strike);
    switch (run.vertical) {
    case rtf::VerticalPosition::Baseline:
        break;
    case rtf::VerticalPosition::Superscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        break;
    case rtf::VerticalPosition::Subscript:
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        break;
    }
    if (run.colour)
        format.setForeground(qtColour(*run.colour));
    if (run.background)
        format.setBackground(qtColour(*run.background));
    return format;
}

QString shownText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return shown;
}

// Inserts the picture as an image resource of the document; false when Qt cannot decode it.
bool insertPicture(QTextCursor& cursor, const rtf::Picture& picture, int number)
{
    QImage image;
    const char* format = picture.format == rtf::PictureFormat::Png ? "PNG" : "JPEG";
    const auto* data = reinterpret_cast<const uchar*>(picture.data.data());
    if (!image.loadFromData(data, static_cast<int>(picture.data.size()), format))
        return false;
    const QUrl name(QStringLiteral("rtf-picture:%1").arg(number));
    cursor.document()->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat imageFormat;
    imageFormat.setName(name.toString());
    if (picture.widthTwips > 0)
        imageFormat.setWidth(pixels(picture.widthTwips));
    if (picture.heightTwips > 0)
        imageFormat.setHeight(pixels(picture.heightTwips));
    cursor.insertImage(imageFormat);
    return true;
}

} // namespace

std::vector<rtf::Problem> loadRtfInto(QTextDocument& document, std::string_view bytes)
{
    rtf::ParseResult parsed = rtf::parseRtf(bytes);
    // Loading is not an edit the user could undo; keeping it on the undo stack would only double
    // the memory the text takes.
    const bool undoEnabled = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(pixels(parsed.document.defaultTabTwips));
    document.setDefaultTextOption(option);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    int pictureNumber = 0;
    bool unreadablePicture = false;
    bool firstBlock = true;
    for (const rtf::Paragraph& paragraph : parsed.document.paragraphs) {
        if (firstBlock)
            cursor.setBlockFormat(blockFormat(paragraph.format));
        else
            cursor.insertBlock(blockFormat(paragraph.format));
        firstBlock = false;
        for (const rtf::Inline& content : paragraph.content) {
            if (const auto* run = std::get_if<rtf::TextRun>(&content))
                cursor.insertText(shownText(run->text), charFormat(run->format));
            else if (!insertPicture(cursor, std::get<rtf::Picture>(content), ++pictureNumber))
                unreadablePicture = true;
        }
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undoEnabled);
    auto& problems = parsed.problems;
    if (unreadablePicture && std::find(problems.begin(), problems.end(),
                                       rtf::Problem::UnreadablePicture) == problems.end())
        problems.push_back(rtf::Problem::UnreadablePicture);
    return problems;
}

std::vector<rtf::Problem> loadRtfFile(QTextDocument& document, const std::filesystem::path& path)
{
    document.clear();
    return loadRtfInto(document, readTextFile(path));
}

} // namespace varrow
