#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace varrow
{

// Whether file permissions bind this process. Root, or any process that holds the capability to
// override them, may write a read-only file on POSIX systems, so a test of a refusal asks the
// file system instead of the user id; the read-only attribute of Windows holds for everyone.
inline bool permissionsBindUs()
{
#ifdef _WIN32
    return true;
#else
    namespace fs = std::filesystem;
    const fs::path probe =
        fs::temp_directory_path() / ("varrow-probe-" + std::to_string(std::random_device{}()));
    std::ofstream(probe) << "probe";
    fs::permissions(probe, fs::perms::owner_read);
    const bool written = static_cast<bool>(std::ofstream(probe, std::ios::app) << "x");
    fs::permissions(probe, fs::perms::owner_all);
    fs::remove(probe);
    return !written;
#endif
}

} // namespace varrow
