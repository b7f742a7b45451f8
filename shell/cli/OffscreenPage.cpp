#include "shell/cli/OffscreenPage.h"

#include "platform/browser/WebEngineBrowser.h"
#include "shell/pictures/PageImageFinder.h"

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

// The window and the browser of one page, and what becomes of it, live together until the page
// is handed over.
struct PageRun {
    QWidget window;
    WebEngineBrowser* browser = nullptr;
    PageImageFinder* finder = nullptr;
    QTimer giveUp;
    // Runs once, when the browser first reports the download complete; it ends the run with
    // finish() or fail(), at once or later.
    std::function<void(const std::shared_ptr<PageRun>&)> loaded;
    std::function<void(const std::string& problem)> failed;
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

// Opens `addressOrFile` in an off-screen browser of its own.
void startRun(const std::string& addressOrFile,
              std::function<void(const std::shared_ptr<PageRun>&)> loaded,
              std::function<void(const std::string& problem)> failed)
{
    auto run = std::make_shared<PageRun>();
    run->loaded = std::move(loaded);
    run->failed = std::move(failed);
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
        run->loaded(run);
    });
    run->giveUp.setSingleShot(true);
    QObject::connect(&run->giveUp, &QTimer::timeout, &run->window,
                     [run] { run->fail("the page did not finish loading in time"); });
    run->giveUp.start(kGiveUpAfterMs);

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
}

} // namespace

void openPageOffscreen(const std::string& addressOrFile,
                       std::function<void(const LoadedPage*, const std::string&)> done)
{
    startRun(
        addressOrFile,
        [done](const std::shared_ptr<PageRun>& run) {
            const LoadedPage page{run->browser->BodyMarkup().value_or(std::string()),
                                  run->browser->LocationURL().toStdString()};
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
                run->giveUp.start(kGiveUpAfterMs); // for the finder's answer
                run->finder->find({}, [run, done](PageImageInventory found,
                                                  const QString& problem) {
                    if (!problem.isEmpty())
                        return run->fail("its pictures cannot be listed: " + problem.toStdString());
                    if (run->finish())
                        done(&found, {},
                             qobject_cast<QWebEngineView*>(run->browser->view())->page());
                });
            });
        },
        [done](const std::string& problem) { done(nullptr, problem, nullptr); });
}

} // namespace varrow
