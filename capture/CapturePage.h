#pragma once

#include "capture/WorkFiles.h"
#include "extract/ImageLists.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace varrow
{

// What one capture leaves for the views, and what went wrong on the way.
struct CaptureResult {
    std::filesystem::path sourcePage; // for the Source Code view
    std::filesystem::path imagePage;  // for the Images view
    // One line per step that failed ("path: reason"), in step order. The capture goes on after
    // each failure; callers decide whether to show them.
    std::vector<std::string> failures;
};

// Takes one page apart: writes `markup` (the body markup, empty when it could not be read) to
// "checkImages.txt", clears `lists`, runs the image scan and the link scan against `pageAddress`,
// writes the source page and the gallery page, and resets the scratch files. Each step that fails
// is skipped without touching what it would have written, and the next step still runs.
CaptureResult CapturePage(const WorkFiles& files, std::string_view markup,
                          std::string_view pageAddress, ImageLists& lists);

} // namespace varrow
