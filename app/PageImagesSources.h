#pragma once

#include "windows/PageImagesWindow.h"

namespace varrow
{

class MainWindow;

// What the Page Images window lists for the main window: its browser view, the engine page
// behind it and a finder of the pictures on that page, made now, so call it before the view
// loads its first page. The window lists the page again each time the main window has handled a
// completed load.
PageImagesSources pageImagesSourcesOf(MainWindow& window);

} // namespace varrow
