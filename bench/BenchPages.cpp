#include "bench/BenchPages.h"

#include "platform/textfile/TextFile.h"

#include <cstdio>

namespace varrow::bench
{

namespace
{

std::string number(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06d", i);
    return text;
}

} // namespace

std::string directoryListing(int entries)
{
    std::string page = "<body><h1>Index of /photos/</h1><table>\n";
    for (int i = 0; i < entries; ++i) {
        const std::string file = "photo-" + number(i) + ".jpg";
        page += "<tr><td valign=\"top\"><img src=\"/icons/image2.gif\" alt=\"[IMG]\"></td><td><a "
                "href=\"" +
                file + "\">" + file +
                "</a></td><td align=\"right\">2026-11-30 14:" + number(i % 60).substr(4) +
                "  </td><td align=\"right\">" + std::to_string(100 + i % 900) +
                "K</td><td>&nbsp;</td></tr>\n";
    }
    return page + "</table></body>";
}

std::string galleryPage(int entries)
{
    std::string page = "<body><main class=\"gallery\">\n";
    for (int i = 0; i < entries; ++i) {
        const std::string id = number(i);
        page += "<figure class=\"tile\"><img src=\"/media/2026/11/img-" + id +
                ".jpg\" width=\"320\" height=\"240\" loading=\"lazy\" alt=\"Holiday picture " + id +
                "\"><figcaption>Picture " + id + " of the trip</figcaption></figure>\n";
    }
    return page + "</main></body>";
}

std::string nestedNamesPage(std::size_t bytes)
{
    std::string page;
    for (std::size_t length = 1; page.size() < bytes; ++length)
        page += "<img src=\"" + std::string(length, '0') + "\">";
    return page;
}

std::string manyPagesPage(const std::vector<std::filesystem::path>& pages, int copies)
{
    std::string once;
    for (const auto& path : pages)
        once += readTextFile(path);
    std::string page;
    page.reserve(once.size() * static_cast<std::size_t>(copies));
    for (int copy = 0; copy < copies; ++copy)
        page += once;
    return page;
}

} // namespace varrow::bench
