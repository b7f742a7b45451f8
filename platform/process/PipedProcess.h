#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

class StopPassing;

// Another program that runs beside us: we write to its standard input and read its standard
// output as it goes (its standard error is ours). Stop signals (SIGINT, SIGTERM, SIGHUP) that
// reach us while it lives are passed on to it, so that it ends in its own way. Not available on
// Windows, where it starts nothing.
class PipedProcess
{
public:
    // Starts `arguments` (the program, then its arguments).
    explicit PipedProcess(const std::vector<std::string>& arguments);
    // Closes both pipes and waits for the program.
    ~PipedProcess();
    PipedProcess(const PipedProcess&) = delete;
    PipedProcess& operator=(const PipedProcess&) = delete;

    bool started() const { return m_child > 0; }
    // Writes all of `bytes` to its input; false when it no longer reads (a broken pipe does not
    // end us).
    bool write(std::string_view bytes);
    void closeInput();
    // Reads what it writes next into `buffer`: the count, 0 at the end of its output.
    std::size_t read(char* buffer, std::size_t size);
    // Waits for it to end: its exit code, or -1 when it could not be started or was killed.
    int wait();
    // The first stop signal that reached us while it ran, or 0.
    int stopSignal() const;

private:
    int m_input = -1;
    int m_output = -1;
    int m_child = -1;
    std::optional<int> m_exitCode;
    StopPassing* m_passing = nullptr;
};

} // namespace varrow
