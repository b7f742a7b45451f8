#pragma once

#include <filesystem>

namespace varrow
{

// The help file among the program's files; it also marks their folder.
inline constexpr const char* kHelpFileName = "Help.rtf";

// Where the program's own files lie ("Help.rtf", the icons, the start page): beside the
// executable in a build tree, or in "../share/varrow" from the executable's directory once
// installed, wherever the installed folder was moved. Found from the executable's directory
// alone, never from a path fixed when the program was built.
std::filesystem::path findProgramDirectory(const std::filesystem::path& executableDirectory);

} // namespace varrow
