#include "platform/browser/GeneratedPagePolicy.h"

namespace varrow
{

void GeneratedPagePolicy::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    const bool isDocument = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame;
    if (info.requestUrl().isLocalFile() && !isDocument)
        info.block(true);
}

} // namespace varrow
