#include "windows/HelpDocument.h"

#include "platform/textfile/TextFile.h"

#include <QTextDocument>

namespace varrow
{

void loadHelpDocument(QTextDocument& document, const std::filesystem::path& path)
{
    const std::string bytes = readTextFile(path);
    document.setPlainText(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace varrow
