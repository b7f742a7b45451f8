#include "capture/cli/PageLoaderProcess.h"

#include "platform/process/ChildProcess.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace varrow
{

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

#ifndef _WIN32
namespace
{

std::string tooLongPage(std::size_t maxBytes)
{
    return "the page is larger than the limit of " + std::to_string(maxBytes) + " bytes";
}

// The most a page's address line may add to its markup in the loader's output.
constexpr std::size_t kAddressAllowance = std::size_t{4} << 20;

// What `arguments` (the program first) wrote, when it exited 0 after writing at most
// `maxMarkupBytes` and an address line; otherwise throws its reason.
std::string outputOf(const std::vector<std::string>& arguments,
                     std::size_t maxMarkupBytes = std::numeric_limits<std::size_t>::max())
{
    const std::size_t maxOutput =
        maxMarkupBytes + std::min(kAddressAllowance, ~std::size_t{0} - maxMarkupBytes);
    ProcessOutput run = runForOutput(arguments, false, StopSignals::EndUs, maxOutput);
    if (run.outputTooLong)
        throw std::runtime_error(tooLongPage(maxMarkupBytes));
    const int exitCode = run.exitCode;
    std::string output = std::move(run.output);
    if (exitCode == 0)
        return output;
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    const std::filesystem::path program = arguments.front();
    if (output.empty())
        output = exitCode < 0 ? "cannot run " + program.string()
                              : program.filename().string() + " ended with status " +
                                    std::to_string(exitCode);
    throw std::runtime_error(output);
}

} // namespace
#endif

PageLoader pageLoaderProcess(const std::filesystem::path& program)
{
#ifdef _WIN32
    (void)program;
    return {};
#else
    return [program](const std::string& addressOrFile, std::size_t maxMarkupBytes) {
        std::string output = outputOf({program.string(), addressOrFile}, maxMarkupBytes);
        const std::size_t lineEnd = output.find('\n');
        if (lineEnd == std::string::npos)
            throw std::runtime_error("the page loader gave no address");
        std::string address = output.substr(0, lineEnd);
        output.erase(0, lineEnd + 1);
        if (output.size() > maxMarkupBytes)
            throw std::runtime_error(tooLongPage(maxMarkupBytes));
        return LoadedPage{std::move(output), std::move(address)};
    };
#endif
}

PageInventoryLister pageInventoryProcess(const std::filesystem::path& program)
{
#ifdef _WIN32
    (void)program;
    return {};
#else
    return [program](const std::string& addressOrFile, double settleSeconds) {
        std::array<char, 32> seconds{};
        const auto end =
            std::to_chars(seconds.data(), seconds.data() + seconds.size(), settleSeconds).ptr;
        return outputOf({program.string(), "--inventory", "--settle",
                         std::string(seconds.data(), end), addressOrFile});
    };
#endif
}

int savePictures(const std::filesystem::path& program, const std::string& addressOrFile,
                 const std::string& folder, std::int64_t maxBytes, std::ostream& out,
                 std::ostream& err)
{
    auto [output, exitCode, outputTooLong, stopSignal] =
        runForOutput({program.string(), "--save", folder, "--max-bytes", std::to_string(maxBytes),
                      addressOrFile},
                     /*dropErrors=*/false, StopSignals::PassOn);
    // Stopped, here or there: the program removed its partial files and said what it saved.
    const int stopped = stopSignal != 0 ? 128 + stopSignal : exitCode > 128 ? exitCode : 0;
    if (stopped != 0) {
        out << output;
        err << "varrow-capture: stopped; no partial file is left in " << folder << "\n";
        return stopped;
    }
    if (exitCode == 0 || exitCode == 1) {
        out << output;
        return exitCode;
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    if (exitCode == kPageNotLoaded)
        err << "varrow-capture: cannot load " << addressOrFile << ": " << output << "\n";
    else if (exitCode < 0)
        err << "varrow-capture: cannot run " << program.string() << "\n";
    else
        err << "varrow-capture: " << program.filename().string() << " ended with status "
            << exitCode << "\n";
    return 1;
}

} // namespace varrow
