#pragma once

#include <QString>
#include <QVariant>

class QWidget;

namespace varrow::testing
{

// Runs `script` in the application's own isolated world of the page that `view` (a browser
// control's view on the real engine) shows, so that it works with the page's scripts off, and
// waits for the engine's answer; an invalid QVariant when none came within `timeoutMs`.
QVariant runInPage(QWidget* view, const QString& script, int timeoutMs = 10000);

// The text the page that `view` shows renders (its body's innerText); empty when there is none.
QString renderedText(QWidget* view);

} // namespace varrow::testing
