#pragma once

#ifndef _WIN32
#include <array>
#include <csignal>

namespace varrow
{

// The signals that ask a program to stop: an interrupt, a termination and a hang-up.
inline constexpr std::array<int, 3> kStopSignals{SIGINT, SIGTERM, SIGHUP};

// How each of kStopSignals was handled.
using StopSignalHandling = std::array<struct sigaction, kStopSignals.size()>;

// Has every stop signal call `handler`, interrupted calls restarting, and returns how they were
// handled before.
StopSignalHandling handleStopSignals(void (*handler)(int));

// Handles the stop signals as `before` says.
void restoreStopSignals(const StopSignalHandling& before);

} // namespace varrow
#endif
