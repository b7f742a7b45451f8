#include "platform/browser/LocalFileGuard.h"

namespace varrow
{

void LocalFileGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    const auto type = info.resourceType();
    if (type == QWebEngineUrlRequestInfo::ResourceTypeImage ||
        type == QWebEngineUrlRequestInfo::ResourceTypeFavicon)
        emit imageRequested(info.requestUrl(), info.firstPartyUrl(),
                            type == QWebEngineUrlRequestInfo::ResourceTypeFavicon);
    if (!m_policy.allows(info.requestUrl(), type, info.firstPartyUrl()))
        info.block(true);
}

} // namespace varrow
