#include "shell/MainLayout.h"

#include <cstdlib>

namespace varrow
{

MainLayout layoutMainWindow(const MainLayoutInput& in)
{
    using std::abs;
    MainLayout out;

    out.tabStrip.left = 25;
    out.tabStrip.top = in.tabStripTop;
    out.tabStrip.height = abs(in.outerHeight - in.tabStripTop - in.statusBarHeight - 800);
    out.tabStrip.width = abs(in.outerWidth - 2 * out.tabStrip.left);

    out.view.top = abs(out.tabStrip.top + 400);
    out.view.left = abs(out.tabStrip.left + 100);
    out.view.width = abs(out.tabStrip.width - 250);
    out.view.height = abs(out.tabStrip.height - 500);

    // Fractions of a twip are dropped, as a panel width holds whole twips.
    out.panel1Width = static_cast<int>(in.outerWidth * 0.75);
    out.panel2Width = abs(out.panel1Width - 300);
    out.panel2Left = out.panel1Width;

    out.progressBar.left = out.panel2Left + 50;
    out.progressBar.top = in.statusBarTop - 10;
    out.progressBar.height = in.statusBarHeight - 20;
    out.progressBar.width = out.panel2Width - 100;

    out.addressWidth = abs(in.outerWidth - in.addressLeft - in.goWidth - 200);
    out.websiteWidth = abs(in.outerWidth - in.websiteLeft - 150);
    out.goLeft = out.addressWidth + in.addressLeft + 50;
    return out;
}

} // namespace varrow
