#pragma once

#include <filesystem>
#include <string>

namespace varrow
{

// The identity fields that an executable carries about itself. On Linux they live in the ELF
// section ".varrow_version" of the executable (format in VersionText.h); on Windows in its
// VERSIONINFO resource. cmake/VersionInfo.cmake attaches them at build time. A missing field is
// empty (or 0 for the version numbers).
struct VersionInfo {
    std::string productName; // "ProductName"
    std::string companyName; // "CompanyName"
    std::string comments;    // "Comments"
    int major = 0;           // file version, major part
    int minor = 0;           // file version, minor part
};

// Reads the fields from the executable file at `executable`; a missing, unreadable, truncated or
// malformed file, or one without version information, gives all fields empty. Never throws.
VersionInfo readVersionInfo(const std::filesystem::path& executable);

// The running process's own executable file, as the operating system reports it; empty when it
// cannot tell.
std::filesystem::path runningExecutablePath();

// The fields of the running executable, read afresh from its file on every call. On Linux the
// file is opened through /proc/self/exe, so it is the running program's own even when its path
// has since been renamed or replaced.
VersionInfo readOwnVersionInfo();

} // namespace varrow
