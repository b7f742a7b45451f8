#pragma once

#include <QString>
#include <QVariant>

namespace varrow
{
class BrowserControl;
}

namespace varrow::testing
{

// Evaluates `script` on the page that `browser` (a WebEngineBrowser) shows, in an isolated world:
// it sees the rendered document but none of the page's scripts, and runs with page scripts off.
// Gives the engine's answer, or an invalid value when none came within `timeoutMs`.
QVariant askInIsolatedWorld(const BrowserControl& browser, const QString& script,
                            int timeoutMs = 30000);

} // namespace varrow::testing
