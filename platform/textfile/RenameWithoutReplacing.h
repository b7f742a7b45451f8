#pragma once

#include <filesystem>
#include <system_error>

namespace varrow
{

// What renameWithoutReplacing did.
enum class RenameOutcome {
    Renamed, // `from` now has the name `to`
    Taken,   // a file named `to` exists; nothing changed
    Failed,  // the reason is in the error code; nothing changed
};

// Gives the file `from` the name `to` (in the same folder or file system) only when no file of
// that name exists, as one step, so that a file another program creates meanwhile is never
// replaced. Where the file system has no such step (no rename without replacing and no hard
// links, as on FAT), `to` is first created empty and exclusively, then `from` renamed over it.
RenameOutcome renameWithoutReplacing(const std::filesystem::path& from,
                                     const std::filesystem::path& to, std::error_code& error);

} // namespace varrow
