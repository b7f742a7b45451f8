#pragma once

#include "platform/desktop/Twips.h"

namespace varrow
{

// What the main window's layout starts from: its outer size and the controls it keeps.
struct MainLayoutInput {
    int outerWidth = 0; // frame, title bar and menu bar included
    int outerHeight = 0;
    int tabStripTop = 0;
    int statusBarTop = 0;
    int statusBarHeight = 0;
    int addressLeft = 0; // the address box
    int goWidth = 0;     // the Go button
    int websiteLeft = 0; // the website button
};

// Where the main window's resizable controls go.
struct MainLayout {
    TwipsRect tabStrip;
    TwipsRect view; // each of the three views
    int panel1Width = 0;
    int panel2Width = 0;
    int panel2Left = 0;
    TwipsRect progressBar;
    int addressWidth = 0;
    int websiteWidth = 0;
    int goLeft = 0;
};

MainLayout layoutMainWindow(const MainLayoutInput& input);

} // namespace varrow
