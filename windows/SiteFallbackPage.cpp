#include "windows/SiteFallbackPage.h"

#include <QObject>

namespace varrow
{
namespace
{

QString escaped(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

// %1 product, %2 version, %3 maker, %4 website, %5 the help file's path.
const char* const kPage = R"(<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>%1</title>
<style>
  body { font: 14px Verdana, sans-serif; margin: 0; color: #1e2a38; background: #f4f6f9; }
  header { background: linear-gradient(90deg, #26467a, #48a0be); color: white; padding: 20px 32px; }
  header h1 { margin: 0; font-size: 26px; }
  header p { margin: 6px 0 0; }
  main { padding: 8px 32px 24px; max-width: 760px; }
  .note { background: white; border-left: 4px solid #48a0be; padding: 8px 16px; }
  code { background: #e4e9f0; padding: 1px 4px; }
</style></head>
<body>
<header><h1>%1</h1><p id="version">Version %2 &middot; by %3</p></header>
<main>
<p class="note" id="unreachable">The website <b>%4</b> cannot be reached just now. This page comes
with %1 itself.</p>
<h2>What %1 does</h2>
<p>%1 is a web browser that takes every page you open apart. After a page has loaded, the
<b>Source Code</b> tab shows its markup with every picture's file name as a link, and the
<b>Images</b> tab shows every picture the page shows or links to.</p>
<h2>Help</h2>
<ul>
<li id="help"><b>Help &gt; View Help</b> in the main window explains every window and command; it
reads the help file <code>%5</code>.</li>
<li id="manual">The command <code>varrow-capture</code> does the same capture from a terminal;
<code>man varrow-capture</code> is its manual, and <code>man varrow</code> describes the
program.</li>
</ul>
</main>
</body></html>
)";

} // namespace

QString siteFallbackPage(const VersionInfo& version, const std::filesystem::path& helpFile)
{
    return QString::fromUtf8(kPage).arg(
        escaped(version.productName),
        QString::number(version.major) + "." + QString::number(version.minor),
        escaped(version.companyName), escaped(version.comments), escaped(helpFile.string()));
}

} // namespace varrow
