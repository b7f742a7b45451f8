#include "platform/process/ChildProcess.h"

#include "platform/process/ArgumentVector.h"
#include "platform/process/StopPassing.h"

#ifndef _WIN32
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace varrow
{

#ifdef _WIN32
ProcessOutput runForOutput(const std::vector<std::string>&, bool, StopSignals, std::size_t)
{
    return {};
}
#else
ProcessOutput runForOutput(const std::vector<std::string>& arguments, bool dropErrors,
                           StopSignals stops, std::size_t maxOutputBytes)
{
    ProcessOutput result;
    int ends[2];
    if (arguments.empty() || pipe(ends) != 0)
        return result;
    std::optional<StopPassing> passing;
    if (stops == StopSignals::PassOn)
        passing.emplace();
    std::vector<char*> argv = argumentVector(arguments);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    if (dropErrors)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (passing && !failed)
        passing->passTo(child);

    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = failed ? 0 : read(ends[0], buffer, sizeof buffer);
        if (count > 0 && static_cast<std::size_t>(count) > maxOutputBytes - result.output.size()) {
            // Nothing past the limit is kept; the program is stopped rather than read to its end.
            result.outputTooLong = true;
            kill(child, SIGKILL);
            break;
        }
        if (count > 0)
            result.output.append(buffer, static_cast<std::size_t>(count));
        else if (count == 0 || errno != EINTR)
            break;
    }
    close(ends[0]);
    int status = 0;
    if (failed)
        return result;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (passing)
        result.stopSignal = passing->received();
    return result;
}
#endif

} // namespace varrow
