#pragma once

#include "capture/cli/CaptureCommand.h"
#include "capture/cli/PageListLoading.h"

#include <iosfwd>

// varrow-capture --load-list: every page of a list captured, each into a folder of its own.
namespace varrow
{

// The file names of a page's results in its folder, besides the source and gallery pages.
inline constexpr const char* kInventoryFileName = "inventory.jsonl";
inline constexpr const char* kPicturesFolderName = "pictures";

// Reads the list (--load-list, "-" is `in`), takes the addresses of the shard, skips those the
// journal in the output directory names as finished, and has `loader` render the rest. Each page
// is captured into its folder (source page, gallery page, the inventory with --inventory, the
// pictures with --save), then noted in the journal; a page that fails leaves no folder. Writes one
// JSON line per page to `out` and each problem to `err`, and the progress to `err` when
// `showProgress`. Returns 0 when every page is done (or was done before), 1 when a line held no
// address, a page failed, or the list or the output directory could not be used, and 128 + the
// signal's number when a stop signal ended the run (the pages still loading then leave nothing).
int runListCapture(const CaptureOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err, bool showProgress, const PageListRenderer& loader);

} // namespace varrow
