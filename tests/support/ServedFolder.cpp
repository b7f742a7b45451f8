#include "tests/support/ServedFolder.h"

#include "tests/support/LocalWebServer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMimeDatabase>

namespace varrow::testing
{

void serveFolder(LocalWebServer& server, const QString& folder)
{
    const QDir root(folder);
    const QMimeDatabase types;
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("Cannot read the served file %s", qPrintable(path));
        const QString type = types.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
        server.serve("/" + root.relativeFilePath(path), file.readAll(), type.toUtf8());
    }
}

} // namespace varrow::testing
