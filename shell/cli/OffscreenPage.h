#pragma once

#include "capture/cli/CaptureCommand.h"
#include "extract/PageImages.h"

#include <functional>
#include <memory>
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

struct PageRun;

// One page of a list open in the browser engine, off screen, until it is released: a list loads
// many pages one after another in one process, and lets each go when it is done with it.
class OffscreenPageHandle
{
public:
    OffscreenPageHandle() = default;
    explicit OffscreenPageHandle(std::shared_ptr<PageRun> run) : m_run(std::move(run)) {}

    // The engine's page, for saving its pictures; null for an empty handle.
    QWebEnginePage* page() const;
    // Lists the page's pictures as findPageImagesOffscreen does, at once; `done` runs from the
    // event loop with the inventory, or with the reason they could not be listed.
    void findPictures(
        std::function<void(const PageImageInventory* inventory, const std::string& problem)> done);
    // Closes the page's browser and window, from the event loop; the handle is empty after.
    void release();

private:
    std::shared_ptr<PageRun> m_run;
};

// Opens one page as openPageOffscreen does, for a list: a load that has not finished after
// `timeoutMs` hands over the markup as it stands (the body as of the last DocumentReady, as the
// program's early capture takes it; empty before one) with `timedOut` set. `done` runs from the
// event loop with the open page, which the caller releases, or with an empty handle and the
// reason the page could not be opened.
void openListedPageOffscreen(const std::string& addressOrFile, int timeoutMs,
                             std::function<void(OffscreenPageHandle page, const LoadedPage* loaded,
                                                bool timedOut, const std::string& problem)>
                                 done);

} // namespace varrow
