#pragma once

#include <string>
#include <string_view>

namespace varrow
{

// How file paths are spelt: Windows joins with "\" and names the executable "<base name>.exe";
// elsewhere paths are joined with "/" and the executable keeps its real file name.
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The three paths that the toolbar entry names, all in the program directory.
struct ToolsButtonPaths {
    std::string executable; // "Exec"
    std::string hotIcon;    // "HotIcon": "hoticon.ico", shown while the pointer is on the button
    std::string icon;       // "Icon": "icon.ico"
};

// Composes the paths from the running executable's full path. The program directory is the part
// before the last separator. With the Windows style the executable is the program directory, "\",
// the file name without its extension, and ".exe"; with the POSIX style it is `executablePath`
// itself.
ToolsButtonPaths composeToolsButtonPaths(std::string_view executablePath, PathStyle style);

} // namespace varrow
