#include "tests/support/IsolatedWorld.h"

#include "platform/browser/BrowserControl.h"

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>
#include <optional>

namespace varrow::testing
{

QVariant askInIsolatedWorld(const BrowserControl& browser, const QString& script, int timeoutMs)
{
    auto* view = qobject_cast<QWebEngineView*>(browser.view());
    if (!view)
        return {};
    // The answer may come after the wait gave up; it then lands in the shared state, not the stack.
    auto answer = std::make_shared<std::optional<QVariant>>();
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                [answer](const QVariant& result) { *answer = result; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, timeoutMs))
        return {};
    return **answer;
}

} // namespace varrow::testing
