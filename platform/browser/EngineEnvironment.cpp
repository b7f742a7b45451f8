#include "platform/browser/EngineEnvironment.h"

#include <QCoreApplication>
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
    }
    if (geteuid() == 0)
        setDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

} // namespace varrow
