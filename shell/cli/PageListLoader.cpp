#include "shell/cli/PageListLoader.h"

#include "capture/cli/PageRecords.h"
#include "extract/PageImageExport.h"
#include "shell/cli/StopSignals.h"
#include "shell/pictures/PictureSaveJob.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <cmath>
#include <iostream>

namespace varrow
{
namespace
{

// How long the engine may take to let go of the downloads a stopped run cancelled; the run then
// ends all the same.
constexpr int kLetGoMs = 5000;

// Ends the event loop after the browsers released before now are closed: their closing is queued
// the same way, and a page that outlives the engine's profile takes the process down with it.
void exitAfterReleases(int code)
{
    QTimer::singleShot(0, QCoreApplication::instance(), [code] { QCoreApplication::exit(code); });
}

void writeRecord(std::string_view kind, std::size_t index, std::string_view payload = {})
{
    std::cout << encodePageRecord(kind, index, payload);
}

} // namespace

PageListLoader::PageListLoader(std::vector<PageListJob> jobs, PageListSettings settings,
                               StopSignals& stops, QObject* parent)
    : QObject(parent), m_jobs(std::move(jobs)), m_settings(settings), m_stops(stops)
{
    connect(&m_stops, &StopSignals::stopRequested, this, &PageListLoader::handleStop);
}

PageListLoader::~PageListLoader() = default;

void PageListLoader::start()
{
    launchWaiting();
    endWhenIdle();
}

void PageListLoader::launchWaiting()
{
    while (m_stops.received() == 0 && m_loading.size() < m_settings.jobs &&
           m_next < m_jobs.size()) {
        const std::size_t index = m_next++;
        Loading& loading = m_loading[index];
        loading.result.index = index;
        loading.started = std::chrono::steady_clock::now();
        const int timeoutMs = int(std::lround(m_settings.pageTimeoutSeconds * 1000));
        openListedPageOffscreen(m_jobs[index].address, timeoutMs,
                                [this, index, alive = QPointer<PageListLoader>(this)](
                                    OffscreenPageHandle page, const LoadedPage* loaded,
                                    bool timedOut, const std::string& problem) {
                                    if (!alive)
                                        return page.release();
                                    handleLoaded(index, std::move(page), loaded, timedOut, problem);
                                });
    }
}

void PageListLoader::handleLoaded(std::size_t index, OffscreenPageHandle page,
                                  const LoadedPage* loaded, bool timedOut,
                                  const std::string& problem)
{
    const auto found = m_loading.find(index);
    if (found == m_loading.end())
        return page.release();
    Loading& loading = found->second;
    loading.page = std::move(page);
    ListedPage& result = loading.result;
    if (m_stops.received() != 0)
        return; // given up: handleStop ends the run
    if (!loaded) {
        result.failure = problem;
        return finish(index);
    }
    if (loaded->markup.size() > m_settings.maxMarkupBytes) {
        result.failure = "the page is larger than the limit of " +
                         std::to_string(m_settings.maxMarkupBytes) + " bytes";
        return finish(index);
    }
    result.location = loaded->address;
    result.markup = loaded->markup;
    result.timedOut = timedOut;
    if (!m_settings.inventory && m_jobs[index].picturesFolder.empty())
        return finish(index);
    loading.page.findPictures(
        [this, index](const PageImageInventory* inventory, const std::string& findProblem) {
            handlePictures(index, inventory, findProblem);
        });
}

void PageListLoader::handlePictures(std::size_t index, const PageImageInventory* inventory,
                                    const std::string& problem)
{
    const auto found = m_loading.find(index);
    if (found == m_loading.end() || m_stops.received() != 0)
        return;
    Loading& loading = found->second;
    if (!inventory) {
        loading.result.failure = problem;
        return finish(index);
    }
    std::vector<QUrl> pictures;
    for (const PageImage& image : inventory->images()) {
        loading.result.inventory += imageJsonLine(image) + '\n';
        pictures.emplace_back(QString::fromStdString(image.url));
    }
    const QString folder = QString::fromStdString(m_jobs[index].picturesFolder);
    if (folder.isEmpty() || pictures.empty())
        return finish(index);
    if (!QDir().mkpath(folder)) {
        loading.result.failure = "cannot make the folder " + folder.toStdString();
        return finish(index);
    }
    auto* saving = new PictureSaveJob(*loading.page.page(), folder, std::move(pictures), this);
    saving->setMaxBytes(m_settings.maxPictureBytes);
    loading.saving = saving;
    // Queued: the job may finish inside cancel(), which a stop calls.
    connect(
        saving, &PictureSaveJob::jobFinished, this, [this, index] { handleSaveFinished(index); },
        Qt::QueuedConnection);
    saving->start();
}

void PageListLoader::handleSaveFinished(std::size_t index)
{
    // A job may report its end more than once: the page is then finished already.
    const auto found = m_loading.find(index);
    if (found == m_loading.end() || !found->second.saving || m_stops.received() != 0)
        return;
    Loading& loading = found->second;
    PictureSaveJob& job = *loading.saving;
    for (int row = 0; row < job.count(); ++row) {
        if (job.state(row) == PictureSaveJob::State::Saved)
            loading.result.saved.push_back(job.savedPath(row).toStdString());
        else
            loading.result.unsaved.push_back(job.problem(row).toStdString());
    }
    finish(index);
}

void PageListLoader::finish(std::size_t index)
{
    auto node = m_loading.extract(index);
    Loading& loading = node.mapped();
    const ListedPage& result = loading.result;
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - loading.started;
    using namespace listrecord;
    if (result.failure.empty()) {
        writeRecord(kLocation, index, result.location);
        writeRecord(kMarkup, index, result.markup);
        if (result.timedOut)
            writeRecord(kTimeout, index);
        if (m_settings.inventory)
            writeRecord(kInventory, index, result.inventory);
        for (const std::string& file : result.saved)
            writeRecord(kSaved, index, file);
        for (const std::string& reason : result.unsaved)
            writeRecord(kUnsaved, index, reason);
    }
    writeRecord(kSeconds, index, std::to_string(took.count()));
    writeRecord(result.failure.empty() ? kDone : kFailed, index, result.failure);
    std::cout.flush();
    // The job's files are kept; the engine's page it works on goes with the browser.
    delete loading.saving.data();
    loading.page.release();
    if (!std::cout) {
        m_ended = true;
        exitAfterReleases(1); // nobody reads what we write
        return;
    }
    launchWaiting();
    endWhenIdle();
}

void PageListLoader::handleStop()
{
    bool holding = false;
    for (auto& [index, loading] : m_loading) {
        if (loading.saving) {
            loading.saving->cancel();
            holding = holding || loading.saving->holdsDownloads();
        }
    }
    endWhenIdle();
    if (!holding)
        return;
    // The engine removes the intermediate files of cancelled downloads once it lets go of them.
    for (auto& [index, loading] : m_loading)
        if (loading.saving)
            connect(loading.saving, &PictureSaveJob::downloadsReleased, this,
                    &PageListLoader::endWhenIdle, Qt::QueuedConnection);
    QTimer::singleShot(kLetGoMs, this, [this] {
        m_ended = true;
        exitAfterReleases(128 + m_stops.received());
    });
}

void PageListLoader::endWhenIdle()
{
    if (m_ended)
        return;
    const int signal = m_stops.received();
    if (signal == 0 && m_loading.empty() && m_next >= m_jobs.size()) {
        m_ended = true;
        exitAfterReleases(0);
        return;
    }
    if (signal == 0)
        return;
    for (const auto& [index, loading] : m_loading)
        if (loading.saving && loading.saving->holdsDownloads())
            return;
    m_ended = true;
    exitAfterReleases(128 + signal);
}

} // namespace varrow
