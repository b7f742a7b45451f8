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
};

// Runs `arguments` (the program, looked up in PATH when it has no "/", then its arguments) and
// waits for it. Its standard error is ours, or dropped with `dropErrors`. A program that writes
// more than `maxOutputBytes` is killed. Not available on Windows, where it starts nothing.
ProcessOutput runForOutput(const std::vector<std::string>& arguments, bool dropErrors = false,
                           std::size_t maxOutputBytes = std::numeric_limits<std::size_t>::max());

} // namespace varrow
