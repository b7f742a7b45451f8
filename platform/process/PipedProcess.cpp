#include "platform/process/PipedProcess.h"

#include "platform/process/ArgumentVector.h"
#include "platform/process/StopPassing.h"

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace varrow
{

#ifdef _WIN32
PipedProcess::PipedProcess(const std::vector<std::string>&) {}
PipedProcess::~PipedProcess() = default;
bool PipedProcess::write(std::string_view)
{
    return false;
}
void PipedProcess::closeInput() {}
std::size_t PipedProcess::read(char*, std::size_t)
{
    return 0;
}
int PipedProcess::wait()
{
    return -1;
}
int PipedProcess::stopSignal() const
{
    return 0;
}
#else
PipedProcess::PipedProcess(const std::vector<std::string>& arguments)
{
    int input[2];
    int output[2];
    if (arguments.empty() || pipe2(input, O_CLOEXEC) != 0)
        return;
    if (pipe2(output, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        return;
    }
    // A program that stops reading must not end us with SIGPIPE: write() says so instead.
    std::signal(SIGPIPE, SIG_IGN);
    m_passing = new StopPassing;
    std::vector<char*> argv = argumentVector(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    pid_t child = -1;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    m_input = input[1];
    m_output = output[0];
    if (failed != 0)
        return;
    m_child = child;
    m_passing->passTo(child);
}

PipedProcess::~PipedProcess()
{
    closeInput();
    if (m_output >= 0)
        close(m_output);
    wait();
    delete m_passing;
}

bool PipedProcess::write(std::string_view bytes)
{
    while (!bytes.empty() && m_input >= 0) {
        const ssize_t count = ::write(m_input, bytes.data(), bytes.size());
        if (count > 0)
            bytes.remove_prefix(std::size_t(count));
        else if (errno != EINTR)
            return false;
    }
    return bytes.empty();
}

void PipedProcess::closeInput()
{
    if (m_input >= 0)
        close(m_input);
    m_input = -1;
}

std::size_t PipedProcess::read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t count = m_output < 0 ? 0 : ::read(m_output, buffer, size);
        if (count >= 0)
            return std::size_t(count);
        if (errno != EINTR)
            return 0;
    }
}

int PipedProcess::wait()
{
    if (m_exitCode)
        return *m_exitCode;
    if (m_child <= 0)
        return -1;
    int status = 0;
    while (waitpid(m_child, &status, 0) < 0 && errno == EINTR) {
    }
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return *m_exitCode;
}

int PipedProcess::stopSignal() const
{
    return m_passing ? m_passing->received() : 0;
}
#endif

} // namespace varrow
