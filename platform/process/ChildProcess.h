#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

// Other programs run to completion: varrow-capture's page renderer, and the benchmarks' runs.
namespace varrow
{

// What a program that ran wrote to its standard output, and how it ended.
struct ProcessOutput {
    std::string output;
    int exitCode = -1;          // -1 when it could not be started or did not exit by itself
    bool outputTooLong = false; // it wrote more than it was allowed, and was stopped
    // The stop signal (SIGINT, SIGTERM or SIGHUP) that reached this process while the program
    // ran and was passed on to it; 0 when none came.
    int stopSignal = 0;
};

// What a stop signal that reaches this process while the program runs does: end this process
// at once, as by default, or be passed on to the program, which then ends in its own way (and
// cleans up after itself) while this process waits for it.
enum class StopSignals { EndUs, PassOn };

// Runs `arguments` (the program, looked up in PATH when it has no "/", then its arguments) and
// waits for it. Its standard error is ours, or dropped with `dropErrors`. A program that writes
// more than `maxOutputBytes` is killed. Not available on Windows, where it starts nothing.
ProcessOutput runForOutput(const std::vector<std::string>& arguments, bool dropErrors = false,
                           StopSignals stops = StopSignals::EndUs,
                           std::size_t maxOutputBytes = std::numeric_limits<std::size_t>::max());

} // namespace varrow
