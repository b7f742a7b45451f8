#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace varrow
{

// For the views that show generated pages: a page-supplied reference to a local file is refused,
// so a captured page cannot make those views read files from the disk; remote images still load
// and links can still be followed.
class GeneratedPagePolicy : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

} // namespace varrow
