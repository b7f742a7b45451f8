#pragma once

namespace varrow
{

// What the site window's layout starts from, in twips.
struct SiteLayoutInput {
    int outerWidth = 0; // frame and title bar included
    int outerHeight = 0;
    int statusBarHeight = 0;
    int addressLeft = 0; // Text1, inside the frame
    int browseWidth = 0; // Command3
    int browserLeft = 0; // WebBrowser1, inside the frame
    int browserTop = 0;
};

// Where the site window's resizable parts go, in twips. Every size is zero or above, however small
// the window.
struct SiteLayout {
    int panel1Width = 0;
    int panel2Width = 0;
    int frameWidth = 0; // frmBrowser
    int frameHeight = 0;
    int addressWidth = 0; // Text1
    int browseLeft = 0;   // Command3
    int browserWidth = 0; // WebBrowser1
    int browserHeight = 0;
};

SiteLayout arrangeSiteWindow(const SiteLayoutInput& input);

} // namespace varrow
