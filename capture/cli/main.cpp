#include "capture/cli/CaptureCommand.h"
#include "capture/cli/ListCapture.h"
#include "capture/cli/PageLoaderProcess.h"
#include "capture/cli/PrintableText.h"

#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace
{

std::filesystem::path ownExecutable(std::error_code& code)
{
#ifdef _WIN32
    (void)code;
    return {};
#else
    return std::filesystem::read_symlink("/proc/self/exe", code);
#endif
}

// A person watches standard error: the progress of a list is shown there.
bool standardErrorIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

int run(const std::vector<std::string>& arguments)
{
#ifdef _WIN32
    // Markup and lists pass byte for byte: text mode would drop the CR of every CR LF and end
    // the input at the first Ctrl-Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    const varrow::ParsedCommand parsed =
        varrow::parseCaptureCommand(arguments, std::cout, std::cerr);
    if (!parsed.options)
        return parsed.exitCode;
    std::filesystem::path program;
    if (!parsed.options->loadList.empty()) {
        std::error_code ignored; // no path of our own: no loader, and the list is refused
        program = varrow::findPageLoader(ownExecutable(ignored));
        return varrow::runListCapture(*parsed.options, std::cin, std::cout, std::cerr,
                                      standardErrorIsTerminal(),
                                      program.empty() ? varrow::PageListRenderer()
                                                      : varrow::pageListProcess(program.string()));
    }
    if (!parsed.options->load.empty()) {
        std::error_code ignored; // no path of our own: no loader, and --load is refused
        program = varrow::findPageLoader(ownExecutable(ignored));
        if (!program.empty() && !parsed.options->saveFolder.empty())
            return varrow::savePictures(program, parsed.options->load, parsed.options->saveFolder,
                                        parsed.options->maxBytes, std::cout, std::cerr);
    }
    if (parsed.options->inventory)
        return varrow::runInventoryCommand(*parsed.options, std::cout, std::cerr,
                                           program.empty() ? varrow::PageInventoryLister()
                                                           : varrow::pageInventoryProcess(program));
    varrow::PageLoader loader;
    if (!program.empty())
        loader = varrow::pageLoaderProcess(program);
    return varrow::runCaptureCommand(*parsed.options, std::cin, std::cout, std::cerr, loader);
}

// Every failure ends in a message and exit status 1, memory running out included.
int runReportingFailures(const std::vector<std::string>& arguments)
{
    try {
        return run(arguments);
    } catch (const std::bad_alloc&) {
        std::cerr << "varrow-capture: out of memory\n";
    } catch (const std::exception& error) {
        std::cerr << "varrow-capture: " << varrow::printableText(error.what()) << "\n";
    }
    return 1;
}

#ifdef _WIN32
std::string utf8FromWide(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.pop_back(); // the terminating NUL
    return text;
}
#endif

} // namespace

#ifdef _WIN32
// Windows passes the narrow arguments in the system code page, which cannot hold every file name;
// the wide ones hold them all.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(utf8FromWide(argv[i]));
    return runReportingFailures(arguments);
}
#else
int main(int argc, char** argv)
{
    return runReportingFailures({argv + 1, argv + argc});
}
#endif
