#pragma once

#include <QByteArray>
#include <QString>

namespace varrow
{

// What a downloaded file holds, judged by its bytes alone: a server's word and an address's
// extension say nothing about what was written.
struct PictureContent {
    // The picture's MIME type ("image/png", "image/svg+xml", ...); empty when the file holds no
    // picture.
    QString pictureType;
    // What the file holds instead, as a MIME type ("text/html", "application/x-zerosize", ...);
    // empty for a picture.
    QString otherType;
};

// Sniffs the file at `path`. SVG, which is text, counts as a picture when its root element is
// <svg>, however much XML declaration, comment or doctype comes first.
PictureContent sniffPictureContent(const QString& path);
// The same for content in memory.
PictureContent sniffPictureBytes(const QByteArray& bytes);

} // namespace varrow
