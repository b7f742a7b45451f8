#include "platform/browser/EngineEnvironment.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QtGlobal>
#include <unistd.h>

namespace varrow
{
namespace
{

void setDefault(const char* name, const QByteArray& value)
{
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, value);
}

} // namespace

bool haveDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

void prepareEngineEnvironment(bool offscreen)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (offscreen || !haveDisplay()) {
        setDefault("QT_QPA_PLATFORM", "offscreen");
        setDefault("QT_QUICK_BACKEND", "software");
        setDefault("QTWEBENGINE_CHROMIUM_FLAGS",
                   "--disable-gpu --no-first-run --disable-background-networking");
        // Off screen nobody reads the engine's start-up report or the pages' console, and they
        // would bury a command's own errors; QT_LOGGING_RULES still turns them on.
        QLoggingCategory::setFilterRules("qt.webenginecontext.info=false\njs=false");
    }
    if (geteuid() == 0)
        setDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace varrow
