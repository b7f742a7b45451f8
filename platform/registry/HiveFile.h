#pragma once

#include "platform/registry/Hive.h"
#include "platform/registry/Registry.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace varrow::registry
{

// The store file of one root key ("<root name>.reg" in the store directory) and the lock file
// beside it ("<root name>.lock") that every change holds. Failures are noted for describeStatus
// with the file and the reason.
class HiveFile
{
public:
    HiveFile(std::filesystem::path directory, std::string_view rootName);

    // Reads the hive as it is now. No lock is needed: a change replaces the file by renaming a
    // complete new one over it, so a reader sees either the old or the new file whole. A store
    // file (or directory) that does not exist yet holds an empty hive. A file that cannot be read
    // or is not a store file gives kRegistryCorrupt.
    Status read(Hive& hive) const;

    // Makes one change: under the exclusive lock, reads the file afresh, lets `change` edit the
    // hive, and when it returns kSuccess with `changed` set, replaces the file atomically (a
    // temporary file in the same directory, flushed to disk, renamed over the old one) before the
    // lock is released. A corrupt file is never replaced. A directory or file we may not write
    // gives kAccessDenied; any other failure to write gives kRegistryIoFailed, and the file is
    // then as it was.
    using Change = std::function<Status(Hive& hive, bool& changed)>;
    Status change(const Change& change) const;

private:
    Status write(const Hive& hive) const;

    std::filesystem::path m_directory;
    std::string m_rootName;
    std::filesystem::path m_path;
};

} // namespace varrow::registry
