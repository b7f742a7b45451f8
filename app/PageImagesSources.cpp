#include "app/PageImagesSources.h"

#include "platform/browser/WebEngineBrowser.h"
#include "shell/MainWindow.h"
#include "shell/pictures/PageImageFinder.h"

namespace varrow
{

PageImagesSources pageImagesSourcesOf(MainWindow& window)
{
    PageImagesSources sources;
    sources.view = &window.browserView();
    sources.followLoads = [&window](QObject* receiver, std::function<void()> listPage) {
        QObject::connect(&window, &MainWindow::pageLoadHandled, receiver, std::move(listPage));
    };
    // This program's browsers are the engine's; a test's scripted browsers have no pictures.
    if (auto* engine = qobject_cast<WebEngineBrowser*>(sources.view)) {
        sources.page = engine->page();
        sources.finder = new PageImageFinder(*engine);
    }
    return sources;
}

} // namespace varrow
