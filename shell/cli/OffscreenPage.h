#pragma once

#include "capture/cli/CaptureCommand.h"

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

// The same, handing over the engine's page as well (null with a problem), for work on the page
// beyond its markup; the page stays open for the rest of the process.
void openEnginePageOffscreen(const std::string& addressOrFile,
                             std::function<void(const LoadedPage* page, const std::string& problem,
                                                QWebEnginePage* enginePage)>
                                 done);

} // namespace varrow
