#pragma once

#include <filesystem>

namespace varrow
{

// The directory for the working files: the program directory when files can be written there,
// otherwise `perUserDirectory` (created when missing). An empty program directory stands for an
// installed program, whose folder is never written.
std::filesystem::path chooseWorkingDirectory(const std::filesystem::path& programDirectory,
                                             const std::filesystem::path& perUserDirectory);

} // namespace varrow
