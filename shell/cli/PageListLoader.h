#pragma once

#include "capture/cli/PageListLoading.h"
#include "shell/cli/OffscreenPage.h"

#include <QObject>
#include <QPointer>
#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace varrow
{

class PictureSaveJob;
class StopSignals;

// varrow-load-page --list: renders the pages of a list in one engine, `settings.jobs` at once,
// and writes each page's records (see PageListLoading) to standard output as it finishes: where
// the browser went, the body markup (as it stood after the time limit, for a page that did not
// finish loading), with --inventory its pictures, with a pictures folder the pictures saved there,
// and how long it took. Each page's browser is closed once it is done, so that memory stays flat
// over a long list. A stop signal gives up the pages still loading: their downloads are
// cancelled and their partial files removed before the event loop ends with 128 + the signal's
// number; otherwise it ends with 0 after the last page.
class PageListLoader : public QObject
{
    Q_OBJECT

public:
    PageListLoader(std::vector<PageListJob> jobs, PageListSettings settings, StopSignals& stops,
                   QObject* parent = nullptr);
    ~PageListLoader() override;

    void start();

private:
    struct Loading {
        OffscreenPageHandle page;
        ListedPage result;
        QPointer<PictureSaveJob> saving;
        std::chrono::steady_clock::time_point started;
    };

    void launchWaiting();
    void handleLoaded(std::size_t index, OffscreenPageHandle page, const LoadedPage* loaded,
                      bool timedOut, const std::string& problem);
    void handlePictures(std::size_t index, const PageImageInventory* inventory,
                        const std::string& problem);
    void handleSaveFinished(std::size_t index);
    // Writes the page's records and lets its browser go.
    void finish(std::size_t index);
    void handleStop();
    void endWhenIdle();

    std::vector<PageListJob> m_jobs;
    PageListSettings m_settings;
    StopSignals& m_stops;
    std::size_t m_next = 0;
    std::map<std::size_t, Loading> m_loading;
    bool m_ended = false;
};

} // namespace varrow
