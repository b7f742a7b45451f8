#include "integration/ToolsButtonPaths.h"

namespace varrow
{

ToolsButtonPaths composeToolsButtonPaths(std::string_view executablePath, PathStyle style)
{
    const bool windows = style == PathStyle::Windows;
    const std::string_view separators = windows ? "\\/" : "/";
    const std::size_t lastSeparator = executablePath.find_last_of(separators);
    const std::size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    const std::string directory(
        executablePath.substr(0, lastSeparator == std::string_view::npos ? 0 : lastSeparator));
    const std::string prefix = directory + (windows ? '\\' : '/');

    ToolsButtonPaths paths;
    if (windows) {
        const std::string_view fileName = executablePath.substr(nameStart);
        paths.executable = prefix + std::string(fileName.substr(0, fileName.rfind('.'))) + ".exe";
    } else {
        paths.executable = std::string(executablePath);
    }
    paths.hotIcon = prefix + "hoticon.ico";
    paths.icon = prefix + "icon.ico";
    return paths;
}

} // namespace varrow
