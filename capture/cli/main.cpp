#include "capture/cli/CaptureCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const varrow::ParsedCommand parsed =
        varrow::parseCaptureCommand(arguments, std::cout, std::cerr);
    if (!parsed.options)
        return parsed.exitCode;
    return varrow::runCaptureCommand(*parsed.options, std::cin, std::cout, std::cerr);
}
