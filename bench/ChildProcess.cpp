#include "bench/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace varrow::bench
{

namespace
{

// Starts the program with its standard output into `outputFd` and its standard error into
// /dev/null; returns its pid or -1.
pid_t start(const std::vector<std::string>& arguments, int outputFd)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

bool exitedWell(int status)
{
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

std::string outputOfRun(const std::vector<std::string>& arguments)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = start(arguments, pipeFds[1]);
    close(pipeFds[1]);
    std::string output;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeFds[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, static_cast<std::size_t>(got));
    close(pipeFds[0]);
    int status = 0;
    if (pid == -1 || waitpid(pid, &status, 0) != pid || !exitedWell(status))
        return {};
    return output;
}

} // namespace varrow::bench
