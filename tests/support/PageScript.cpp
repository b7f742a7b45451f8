#include "tests/support/PageScript.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>
#include <optional>

namespace varrow::testing
{

QVariant runInPage(QWidget* view, const QString& script, int timeoutMs)
{
    auto* engineView = qobject_cast<QWebEngineView*>(view);
    if (!engineView)
        return {};
    // Shared with the callback, which may come after this function has given up waiting.
    auto answer = std::make_shared<std::optional<QVariant>>();
    engineView->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                      [answer](const QVariant& result) { *answer = result; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, timeoutMs))
        return {};
    return answer->value();
}

QString renderedText(QWidget* view)
{
    return runInPage(view, "document.body ? document.body.innerText : ''").toString();
}

} // namespace varrow::testing
