#include "tests/support/LoopbackOnly.h"

#include <QHostAddress>
#include <QWebEngineProfile>

namespace varrow::testing
{

void LoopbackOnly::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() || url.scheme() == "data" || url.scheme() == "about" ||
        url.scheme() == "qrc")
        return;
    const QHostAddress host(url.host());
    info.block(host.isNull() || !host.isLoopback());
}

void LoopbackOnly::install()
{
    static LoopbackOnly interceptor;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&interceptor);
}

} // namespace varrow::testing
