#include "shell/PageImagesSources.h"

#include "platform/browser/BrowserControl.h"
#include "shell/Form1.h"

#include <QWebEngineView>

namespace varrow
{

PageImagesSources pageImagesSourcesOf(Form1& window)
{
    PageImagesSources sources;
    sources.view = window.wb[0];
    if (auto* engine = qobject_cast<QWebEngineView*>(window.wb[0]->view()))
        sources.page = engine->page();
    sources.captureLists = &window.lists;
    return sources;
}

} // namespace varrow
