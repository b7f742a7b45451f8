#include "platform/process/StopSignalHandling.h"

#ifndef _WIN32
namespace varrow
{

StopSignalHandling handleStopSignals(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    StopSignalHandling before{};
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &action, &before[i]);
    return before;
}

void restoreStopSignals(const StopSignalHandling& before)
{
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &before[i], nullptr);
}

} // namespace varrow
#endif
