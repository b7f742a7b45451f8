#include "windows/SiteLayout.h"

#include <cstdlib>

namespace varrow
{

SiteLayout arrangeSiteWindow(const SiteLayoutInput& in)
{
    using std::abs;
    SiteLayout out;
    // Fractions of a twip are dropped, as a panel width holds whole twips.
    out.panel1Width = abs(in.outerWidth / 2);
    out.panel2Width = abs(in.outerWidth / 2);
    out.frameHeight = abs(in.outerHeight - in.statusBarHeight);
    out.frameWidth = abs(in.outerWidth - 300);
    out.addressWidth = abs(out.frameWidth - in.addressLeft - 300 - in.browseWidth);
    out.browseLeft = out.addressWidth + in.addressLeft + 100;
    out.browserWidth = abs(out.frameWidth - in.browserLeft - 100);
    out.browserHeight = abs(out.frameHeight - in.browserTop - 800 - in.statusBarHeight);
    return out;
}

} // namespace varrow
