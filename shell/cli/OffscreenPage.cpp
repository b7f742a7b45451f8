#include "shell/cli/OffscreenPage.h"

#include "platform/browser/WebEngineBrowser.h"

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

// The window, the browser and the callback live together until the page is handed over.
struct PageRun {
    QWidget window;
    WebEngineBrowser* browser = nullptr;
    std::function<void(const LoadedPage*, const std::string&, QWebEnginePage*)> done;
    bool finished = false;

    void finish(const LoadedPage* page, const std::string& problem)
    {
        if (finished)
            return;
        finished = true;
        const auto* view = qobject_cast<QWebEngineView*>(browser->view());
        done(page, problem, page && view ? view->page() : nullptr);
    }
};

} // namespace

void openPageOffscreen(const std::string& addressOrFile,
                       std::function<void(const LoadedPage*, const std::string&)> done)
{
    openEnginePageOffscreen(
        addressOrFile, [done = std::move(done)](const LoadedPage* page, const std::string& problem,
                                                QWebEnginePage*) { done(page, problem); });
}

void openEnginePageOffscreen(
    const std::string& addressOrFile,
    std::function<void(const LoadedPage*, const std::string&, QWebEnginePage*)> done)
{
    auto run = std::make_shared<PageRun>();
    run->done = std::move(done);
    run->window.resize(1024, 768);
    run->browser = new WebEngineBrowser(&run->window, BrowserRole::Browsing);
    run->browser->view()->resize(run->window.size());
    run->window.show();

    // The shared pointer in the connections keeps the run alive until the page is handed over.
    QObject::connect(run->browser, &BrowserControl::DownloadComplete, &run->window, [run] {
        const LoadedPage page{run->browser->BodyMarkup().value_or(std::string()),
                              run->browser->LocationURL().toStdString()};
        run->finish(&page, {});
    });
    QTimer::singleShot(kGiveUpAfterMs, &run->window,
                       [run] { run->finish(nullptr, "the page did not finish loading in time"); });

    const QString target = QString::fromStdString(addressOrFile);
    const QFileInfo file(target);
    try {
        if (file.isFile())
            run->browser->Navigate2(file.absoluteFilePath());
        else
            run->browser->Navigate(target);
    } catch (const BrowserError& refused) {
        QTimer::singleShot(0, &run->window, [run, reason = std::string(refused.what())] {
            run->finish(nullptr, reason);
        });
    }
}

} // namespace varrow
