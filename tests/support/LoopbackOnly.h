#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace varrow::testing
{

// Refuses every request except local files, the engine's own pages and loopback addresses, so
// that no test reaches outside this machine.
class LoopbackOnly : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    // Installs one on the default profile, for the rest of the test run.
    static void install();
};

} // namespace varrow::testing
