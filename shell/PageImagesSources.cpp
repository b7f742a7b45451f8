#include "shell/PageImagesSources.h"

#include "shell/Form1.h"

namespace varrow
{

PageImagesSources pageImagesSourcesOf(Form1& window)
{
    PageImagesSources sources;
    sources.view = window.wb[0];
    sources.captureLists = &window.lists;
    return sources;
}

} // namespace varrow
