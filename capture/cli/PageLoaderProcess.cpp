#include "capture/cli/PageLoaderProcess.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace varrow
{
namespace
{

#ifndef _WIN32
// Closes a descriptor when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return m_fd; }
    void reset()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

std::runtime_error systemError(const std::string& what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

// Runs `program` with one argument and gives back its standard output and exit status; its
// standard error stays ours, so the engine's own diagnostics reach the person.
std::pair<std::string, int> runForOutput(const std::filesystem::path& program,
                                         const std::string& argument)
{
    int ends[2];
    if (pipe(ends) != 0)
        throw systemError("cannot open a pipe");
    Descriptor readEnd(ends[0]);
    Descriptor writeEnd(ends[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, readEnd.get());
    const std::string path = program.string();
    char* const argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>(argument.c_str()),
                          nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        errno = spawned;
        throw systemError("cannot run " + path);
    }
    writeEnd.reset();

    std::string output;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t count = read(readEnd.get(), buffer, sizeof buffer);
        if (count > 0)
            output.append(buffer, static_cast<std::size_t>(count));
        else if (count == 0 || errno != EINTR)
            break;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {std::move(output), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}
#endif

} // namespace

std::filesystem::path findPageLoader(const std::filesystem::path& executable)
{
#ifdef _WIN32
    (void)executable;
    return {};
#else
    const std::filesystem::path folder = executable.parent_path();
    for (const auto& candidate :
         {folder / kPageLoaderName, folder / ".." / "libexec" / "varrow" / kPageLoaderName}) {
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.lexically_normal();
    }
    return {};
#endif
}

PageLoader pageLoaderProcess(const std::filesystem::path& program)
{
#ifdef _WIN32
    (void)program;
    return {};
#else
    return [program](const std::string& addressOrFile) {
        auto [output, exitCode] = runForOutput(program, addressOrFile);
        if (exitCode != 0) {
            while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
                output.pop_back();
            throw std::runtime_error(output.empty()
                                         ? program.filename().string() + " ended with status " +
                                               std::to_string(exitCode)
                                         : output);
        }
        const std::size_t lineEnd = output.find('\n');
        if (lineEnd == std::string::npos)
            throw std::runtime_error("the page loader gave no address");
        std::string address = output.substr(0, lineEnd);
        output.erase(0, lineEnd + 1);
        return LoadedPage{std::move(output), std::move(address)};
    };
#endif
}

} // namespace varrow
