#pragma once

#include <filesystem>

namespace varrow
{

// The directory for the working files: the program directory when files can be written there,
// otherwise `perUserDirectory` (created when missing).
std::filesystem::path chooseWorkingDirectory(const std::filesystem::path& programDirectory,
                                             const std::filesystem::path& perUserDirectory);

} // namespace varrow
