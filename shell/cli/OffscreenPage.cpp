#include "shell/cli/OffscreenPage.h"

#include "platform/browser/WebEngineBrowser.h"
#include "shell/pictures/PageImageFinder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWebEngineView>
#include <QWidget>
#include <memory>

namespace varrow
{
namespace
{

constexpr int kGiveUpAfterMs = 120000;

} // namespace

// The window and the browser of one page, and what becomes of it, live together until the page
// is handed over (or, for a list, released).
struct PageRun {
    QWidget window;
    WebEngineBrowser* browser = nullptr;
    PageImageFinder* finder = nullptr;
    QTimer giveUp;
    // Runs once, when the browser first reports the download complete; it ends the run with
    // finish() or fail(), at once or later.
    std::function<void(const std::shared_ptr<PageRun>&)> loaded;
    std::function<void(const std::string& problem)> failed;
    // When set, a load that does not finish in time ends here instead of failing.
    std::function<void(const std::shared_ptr<PageRun>&)> timedOut;
    bool hasLoaded = false;
    bool finished = false;

    // True the first time only: the run ends here.
    bool finish()
    {
        const bool first = !finished;
        finished = true;
        giveUp.stop();
        return first;
    }
    void fail(const std::string& problem)
    {
        if (finish())
            failed(problem);
    }
};

namespace
{

// Opens `addressOrFile` in an off-screen browser of its own.
std::shared_ptr<PageRun>
startRun(const std::string& addressOrFile,
         std::function<void(const std::shared_ptr<PageRun>&)> loaded,
         std::function<void(const std::string& problem)> failed, int giveUpAfterMs = kGiveUpAfterMs,
         std::function<void(const std::shared_ptr<PageRun>&)> timedOut = {})
{
    auto run = std::make_shared<PageRun>();
    run->loaded = std::move(loaded);
    run->failed = std::move(failed);
    run->timedOut = std::move(timedOut);
    run->window.resize(1024, 768);
    run->browser = new WebEngineBrowser(&run->window, BrowserRole::Browsing);
    run->finder = new PageImageFinder(*run->browser); // from the first request on
    run->browser->view()->resize(run->window.size());
    run->window.show();

    // The shared pointer in the connections keeps the run alive until the page is handed over.
    QObject::connect(run->browser, &BrowserControl::DownloadComplete, &run->window, [run] {
        if (run->hasLoaded || run->finished)
            return;
        run->hasLoaded = true;
        // The engine then shows its own error page, which is not the page asked for.
        if (const QString error = run->browser->loadError(); !error.isEmpty())
            return run->fail("the page cannot be opened: " + error.toStdString());
        run->loaded(run);
    });
    run->giveUp.setSingleShot(true);
    QObject::connect(&run->giveUp, &QTimer::timeout, &run->window, [run] {
        if (run->hasLoaded || !run->timedOut)
            return run->fail("the page did not finish loading in time");
        run->hasLoaded = true;
        run->timedOut(run);
    });
    run->giveUp.start(giveUpAfterMs);

    const QString target = QString::fromStdString(addressOrFile);
    const QFileInfo file(target);
    try {
        if (file.isFile())
            run->browser->Navigate2(file.absoluteFilePath());
        else
            run->browser->Navigate(target);
    } catch (const BrowserError& refused) {
        QTimer::singleShot(0, &run->window,
                           [run, reason = std::string(refused.what())] { run->fail(reason); });
    }
    return run;
}

LoadedPage pageAsItStands(const PageRun& run)
{
    return {run.browser->BodyMarkup().value_or(std::string()),
            run.browser->LocationURL().toStdString()};
}

// Asks the run's finder for the page's pictures and hands them to `found`, or fails the run.
void findPicturesOf(const std::shared_ptr<PageRun>& run,
                    std::function<void(const PageImageInventory&)> found)
{
    run->giveUp.start(kGiveUpAfterMs); // for the finder's answer
    run->finder->find({}, [run, found](PageImageInventory inventory, const QString& problem) {
        if (!problem.isEmpty())
            return run->fail("its pictures cannot be listed: " + problem.toStdString());
        if (run->finish())
            found(inventory);
    });
}

} // namespace

void openPageOffscreen(const std::string& addressOrFile,
                       std::function<void(const LoadedPage*, const std::string&)> done)
{
    startRun(
        addressOrFile,
        [done](const std::shared_ptr<PageRun>& run) {
            const LoadedPage page = pageAsItStands(*run);
            if (run->finish())
                done(&page, {});
        },
        [done](const std::string& problem) { done(nullptr, problem); });
}

void findPageImagesOffscreen(
    const std::string& addressOrFile, int settleMs,
    std::function<void(const PageImageInventory*, const std::string&, QWebEnginePage*)> done)
{
    startRun(
        addressOrFile,
        [done, settleMs](const std::shared_ptr<PageRun>& run) {
            run->giveUp.stop();
            QTimer::singleShot(settleMs, &run->window, [run, done] {
                findPicturesOf(run, [run, done](const PageImageInventory& found) {
                    done(&found, {}, qobject_cast<QWebEngineView*>(run->browser->view())->page());
                });
            });
        },
        [done](const std::string& problem) { done(nullptr, problem, nullptr); });
}

QWebEnginePage* OffscreenPageHandle::page() const
{
    return m_run ? qobject_cast<QWebEngineView*>(m_run->browser->view())->page() : nullptr;
}

void OffscreenPageHandle::findPictures(
    std::function<void(const PageImageInventory*, const std::string&)> done)
{
    const std::shared_ptr<PageRun> run = m_run;
    run->finished = false;
    run->failed = [done](const std::string& problem) { done(nullptr, problem); };
    findPicturesOf(run, [done](const PageImageInventory& found) { done(&found, {}); });
}

void OffscreenPageHandle::release()
{
    const std::shared_ptr<PageRun> run = std::move(m_run);
    if (!run)
        return;
    run->finish();
    run->loaded = nullptr;
    run->failed = [](const std::string&) {};
    run->timedOut = nullptr;
    // The connections hold the run; without them, it goes with the last holder: here, a call
    // from the event loop, as the browser may be inside one of its own signals now.
    QObject::disconnect(run->browser, nullptr, &run->window, nullptr);
    QObject::disconnect(&run->giveUp, nullptr, &run->window, nullptr);
    QTimer::singleShot(0, QCoreApplication::instance(), [run] {});
}

void openListedPageOffscreen(
    const std::string& addressOrFile, int timeoutMs,
    std::function<void(OffscreenPageHandle, const LoadedPage*, bool, const std::string&)> done)
{
    auto handOver = [done](bool timedOut) {
        return [done, timedOut](const std::shared_ptr<PageRun>& run) {
            const LoadedPage page = pageAsItStands(*run);
            if (run->finish())
                done(OffscreenPageHandle(run), &page, timedOut, {});
        };
    };
    // The run is released once it failed; it is held until then by its connections.
    auto run = std::make_shared<std::weak_ptr<PageRun>>();
    *run = startRun(
        addressOrFile, handOver(false),
        [done, run](const std::string& problem) {
            OffscreenPageHandle failed(run->lock());
            done(OffscreenPageHandle(), nullptr, false, problem);
            failed.release();
        },
        timeoutMs, handOver(true));
}

} // namespace varrow
