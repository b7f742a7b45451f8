#pragma once

#include "windows/PageImagesWindow.h"

namespace varrow
{

class Form1;

// What the Page Images window lists for the main window: its browser view, the capture's lists
// of that view's page, and the finder of the pictures on that page.
PageImagesSources pageImagesSourcesOf(Form1& window);

} // namespace varrow
