#pragma once

#ifndef _WIN32
#include "platform/process/StopSignalHandling.h"

#include <sys/types.h>

namespace varrow
{

// Passes SIGINT, SIGTERM and SIGHUP on to a child program while it lives, so that it can end in
// its own way; our own handling comes back, as it was before, when this goes. One at a time in a
// process.
class StopPassing
{
public:
    StopPassing();
    ~StopPassing();
    StopPassing(const StopPassing&) = delete;
    StopPassing& operator=(const StopPassing&) = delete;

    // From now on stop signals go to `child`, also one that came before it started.
    void passTo(pid_t child);
    // The first stop signal that came, or 0.
    int received() const;

private:
    StopSignalHandling m_before{};
};

} // namespace varrow
#endif
