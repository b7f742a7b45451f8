#include "platform/browser/LocalFilePolicy.h"

namespace varrow
{
namespace
{

using Info = QWebEngineUrlRequestInfo;

// What a page loads from local files to show itself; these load wherever they lie on disk.
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

} // namespace

bool LocalFilePolicy::allows(const QUrl& address, ResourceType type) const
{
    if (!address.isLocalFile() || type == Info::ResourceTypeMainFrame)
        return true;
    if (m_role == BrowserRole::GeneratedPage)
        return m_capturedPageIsLocal && type == Info::ResourceTypeImage;
    return isShownNotRead(type);
}

} // namespace varrow
