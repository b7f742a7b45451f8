#pragma once

#include <QWebEngineUrlRequestInterceptor>

class QWebEnginePage;

namespace varrow::testing
{

// Refuses every request except local files, the engine's own pages and loopback addresses, so
// that no test reaches outside this machine.
class LoopbackOnly : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    // One that first lets `inner`, when given, see and decide each request.
    explicit LoopbackOnly(QObject* parent = nullptr,
                          QWebEngineUrlRequestInterceptor* inner = nullptr)
        : QWebEngineUrlRequestInterceptor(parent), m_inner(inner)
    {
    }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Installs one on the default profile, for the rest of the test run. While the profile has an
    // interceptor, the engine calls no page's own (such as a browser's LocalFileGuard).
    static void install();
    // Installs one on `page` in front of the page's own interceptor `inner`, so that both decide,
    // and takes the default profile's away.
    static void installOnPage(QWebEnginePage& page, QWebEngineUrlRequestInterceptor& inner);

private:
    QWebEngineUrlRequestInterceptor* m_inner;
};

} // namespace varrow::testing
