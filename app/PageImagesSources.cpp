#include "app/PageImagesSources.h"

#include "platform/browser/WebEngineBrowser.h"
#include "shell/Form1.h"
#include "shell/pictures/PageImageFinder.h"

namespace varrow
{

PageImagesSources pageImagesSourcesOf(Form1& window)
{
    PageImagesSources sources;
    sources.view = window.wb[0];
    if (auto* engine = qobject_cast<WebEngineBrowser*>(window.wb[0])) {
        sources.page = engine->page();
        sources.finder = &PageImageFinder::of(*engine);
    }
    return sources;
}

} // namespace varrow
