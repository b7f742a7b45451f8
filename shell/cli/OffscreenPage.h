#pragma once

#include "capture/cli/CaptureCommand.h"
#include "extract/PageImages.h"

#include <functional>
#include <string>

class QWebEnginePage;

namespace varrow
{

// Opens one page in the browser engine, off screen, and hands over its body markup once the
// browser reports the download complete. `done` runs from the event loop with the page, or with
// the reason it could not be opened; nothing waits in a nested loop.
void openPageOffscreen(
    const std::string& addressOrFile,
    std::function<void(const LoadedPage* page, const std::string& problem)> done);

// Opens one page as openPageOffscreen does and, `settleMs` after the browser reports the download
// complete, lists its pictures: first the capture's lists of the body markup it reported, then
// what the page's PageImageFinder finds. `done` runs from the event loop with the inventory and
// the engine's page (which stays open for the rest of the process), or with the reason the page
// could not be opened or its pictures could not be listed.
void findPageImagesOffscreen(const std::string& addressOrFile, int settleMs,
                             std::function<void(const PageImageInventory* inventory,
                                                const std::string& problem, QWebEnginePage* page)>
                                 done);

} // namespace varrow
