#include "tests/support/LoopbackOnly.h"

#include <QHostAddress>
#include <QWebEnginePage>
#include <QWebEngineProfile>

namespace varrow::testing
{

void LoopbackOnly::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    if (m_inner)
        m_inner->interceptRequest(info);
    const QUrl url = info.requestUrl();
    if (url.isLocalFile() || url.scheme() == "data" || url.scheme() == "about" ||
        url.scheme() == "qrc")
        return;
    const QHostAddress host(url.host());
    if (host.isNull() || !host.isLoopback())
        info.block(true); // never block(false): that would undo the inner interceptor's refusal
}

void LoopbackOnly::install()
{
    static LoopbackOnly interceptor;
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(&interceptor);
}

void LoopbackOnly::installOnPage(QWebEnginePage& page, QWebEngineUrlRequestInterceptor& inner)
{
    QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(nullptr);
    page.setUrlRequestInterceptor(new LoopbackOnly(&page, &inner));
}

} // namespace varrow::testing
