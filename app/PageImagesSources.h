#pragma once

#include "windows/PageImagesWindow.h"

namespace varrow
{

class Form1;

// What the Page Images window lists for the main window: its browser view and the finder of the
// pictures on that view's page.
PageImagesSources pageImagesSourcesOf(Form1& window);

} // namespace varrow
