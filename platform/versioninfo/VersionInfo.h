#pragma once

#include <filesystem>
#include <string>

namespace varrow
{

// The identity fields that an executable carries about itself. On Linux they live in an ELF
// section of the executable; on Windows in its VERSIONINFO resource. A missing field is empty
// (or 0 for the version numbers).
struct VersionInfo {
    std::string productName; // "ProductName"
    std::string companyName; // "CompanyName"
    std::string comments;    // "Comments"
    int major = 0;           // file version, major part
    int minor = 0;           // file version, minor part
};

// Reads the fields from the executable file at `executable`; an unreadable file or one without
// version information gives all fields empty.
VersionInfo readVersionInfo(const std::filesystem::path& executable);

// The running process's own executable file, as the operating system reports it.
std::filesystem::path runningExecutablePath();

// readVersionInfo(runningExecutablePath()), read afresh on every call.
VersionInfo readOwnVersionInfo();

} // namespace varrow
