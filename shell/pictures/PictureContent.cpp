#include "shell/pictures/PictureContent.h"

#include <QFile>
#include <QMimeDatabase>
#include <QXmlStreamReader>

namespace varrow
{
namespace
{

const QString kSvgType = QStringLiteral("image/svg+xml");
// How much of a text file is read for its root element: what comes before it in an SVG file is a
// declaration, comments and a doctype, never this long.
constexpr qint64 kSvgHeadBytes = 64 * 1024;

// Whether the text's first element is <svg> (in any namespace prefix).
bool hasSvgRoot(const QByteArray& head)
{
    QXmlStreamReader reader(head);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            return reader.name() == QLatin1String("svg");
    }
    return false;
}

// What content of `type`, beginning with `head`, holds.
PictureContent judge(const QMimeType& type, const QByteArray& head)
{
    const QString name = type.name();
    // Magic finds <svg near the start even in an HTML page, and misses it after a long comment:
    // text is an SVG picture only when its root element is one.
    if (name == kSvgType || type.inherits(QStringLiteral("text/plain"))) {
        if (hasSvgRoot(head))
            return {kSvgType, {}};
        return {{}, name == kSvgType ? QStringLiteral("text whose root is no <svg>") : name};
    }
    if (name.startsWith(QLatin1String("image/")))
        return {name, {}};
    return {{}, name};
}

} // namespace

PictureContent sniffPictureContent(const QString& path)
{
    QFile file(path);
    const QByteArray head =
        file.open(QIODevice::ReadOnly) ? file.read(kSvgHeadBytes) : QByteArray();
    return judge(QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchContent), head);
}

PictureContent sniffPictureBytes(const QByteArray& bytes)
{
    return judge(QMimeDatabase().mimeTypeForData(bytes), bytes.left(kSvgHeadBytes));
}

} // namespace varrow
