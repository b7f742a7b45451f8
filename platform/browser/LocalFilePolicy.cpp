#include "platform/browser/LocalFilePolicy.h"

#include <QFileInfo>

namespace varrow
{
namespace
{

using Info = QWebEngineUrlRequestInfo;

// What a page loads from local files to show itself.
bool isShownNotRead(LocalFilePolicy::ResourceType type)
{
    switch (type) {
    case Info::ResourceTypeImage:
    case Info::ResourceTypeStylesheet:
    case Info::ResourceTypeScript:
    case Info::ResourceTypeFontResource:
    case Info::ResourceTypeMedia:
    case Info::ResourceTypeFavicon:
        return true;
    default:
        return false;
    }
}

// True when the local file at `address` lies in the folder of the local page at `page` or in a
// folder below it. Both are taken with every symbolic link followed, so that a link in the page's
// folder does not lead out of it; a file that does not exist lies nowhere.
bool liesInFolderOf(const QUrl& address, const QUrl& page)
{
    QString folder = QFileInfo(page.toLocalFile()).canonicalPath();
    const QString file = QFileInfo(address.toLocalFile()).canonicalFilePath();
    if (folder.isEmpty() || file.isEmpty())
        return false;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return file.startsWith(folder);
}

} // namespace

bool LocalFilePolicy::allows(const QUrl& address, ResourceType type, const QUrl& page) const
{
    if (type == Info::ResourceTypeWebSocket)
        return !page.isLocalFile();
    if (!address.isLocalFile() || type == Info::ResourceTypeMainFrame)
        return true;
    if (m_role == BrowserRole::GeneratedPage)
        return m_capturedPageIsLocal && type == Info::ResourceTypeImage;
    return isShownNotRead(type) && (!page.isLocalFile() || liesInFolderOf(address, page));
}

} // namespace varrow
