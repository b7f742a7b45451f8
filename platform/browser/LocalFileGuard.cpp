#include "platform/browser/LocalFileGuard.h"

namespace varrow
{

void LocalFileGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (!m_policy.allows(info.requestUrl(), info.resourceType()))
        info.block(true);
}

} // namespace varrow
