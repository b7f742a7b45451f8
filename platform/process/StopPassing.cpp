#include "platform/process/StopPassing.h"

#ifndef _WIN32
#include <csignal>

namespace varrow
{
namespace
{

// The program that a stop signal is passed on to, and the signal that came; only the handler
// and the one StopPassing that installed it touch them.
volatile sig_atomic_t g_child = 0;
volatile sig_atomic_t g_stopSignal = 0;

void passOnStop(int signal)
{
    if (g_stopSignal == 0)
        g_stopSignal = signal;
    if (g_child > 0)
        kill(pid_t(g_child), signal);
}

} // namespace

StopPassing::StopPassing()
{
    g_child = 0;
    g_stopSignal = 0;
    m_before = handleStopSignals(passOnStop);
}

StopPassing::~StopPassing()
{
    restoreStopSignals(m_before);
    g_child = 0;
}

void StopPassing::passTo(pid_t child)
{
    g_child = child;
    if (g_stopSignal != 0)
        kill(child, g_stopSignal);
}

int StopPassing::received() const
{
    return g_stopSignal;
}

} // namespace varrow
#endif
