#pragma once

#include <string>
#include <vector>

// Other programs that the capture bench runs: itself for one capture in a fresh process, and the
// lxml listing.
namespace varrow::bench
{

// Runs `arguments` and returns its standard output; empty when it could not be started or did not
// exit with 0. Its error output is dropped.
std::string outputOfRun(const std::vector<std::string>& arguments);

} // namespace varrow::bench
