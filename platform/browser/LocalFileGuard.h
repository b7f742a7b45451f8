#pragma once

#include "platform/browser/LocalFilePolicy.h"

#include <QWebEngineUrlRequestInterceptor>

namespace varrow
{

// Refuses, on the engine's network side, every request of one page that its LocalFilePolicy
// does not allow; the page sees the refusal as a network error. Reports every picture the page
// asks for, refused or not.
class LocalFileGuard : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    LocalFileGuard(BrowserRole role, QObject* parent)
        : QWebEngineUrlRequestInterceptor(parent), m_policy(role)
    {
    }

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

    LocalFilePolicy& policy() { return m_policy; }

signals:
    // The page asked for a picture at `address`: an image, or with `icon`, the icon that the
    // engine asks for by itself (the one the page names, or "/favicon.ico" of its site).
    void imageRequested(const QUrl& address, const QUrl& document, bool icon);

private:
    LocalFilePolicy m_policy;
};

} // namespace varrow
