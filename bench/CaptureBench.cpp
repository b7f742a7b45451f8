// Times the whole capture, files included, on the real-page corpus and on two generated pages of
// 20,000 entries (and the same at half size, so that the growth shows).
//
// Usage: capture_bench CORPUS_PAGES_DIR

#include "capture/CapturePage.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 10;
constexpr const char* kAddress = "http://pages.example/corpus/page.html";

// The best of several runs: the capture is deterministic, so the minimum is its cost without the
// noise of other work on the machine (and without first-touch page faults, see keepFreedMemory).
double captureSeconds(const varrow::WorkFiles& files, const std::string& markup)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        varrow::ImageLists lists;
        const auto start = Clock::now();
        varrow::CapturePage(files, markup, kAddress, lists);
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

// glibc gives the freed top of its heap back to the system once it grows past a threshold that
// moves with earlier allocations, and a run on given-back memory pays a page fault per page. So
// whether the best run faulted depended on how large the page was compared with what ran before,
// not on the capture. Keeping every allocation in the heap and the heap whole makes each run after
// the first start alike; the first run of each input still pays the faults and is not the best.
void keepFreedMemory()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest that glibc accepts
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

void report(const char* name, std::size_t bytes, double seconds)
{
    std::printf("%-44s %10.2f KB %10.2f ms %9.1f MB/s\n", name, static_cast<double>(bytes) / 1024,
                seconds * 1000, static_cast<double>(bytes) / 1e6 / seconds);
}

std::string number(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06d", i);
    return text;
}

// A web server's listing of a photo directory: one table row per image file.
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

// A gallery page: every image distinct, each in a figure with a caption.
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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: capture_bench CORPUS_PAGES_DIR\n");
        return 2;
    }
    keepFreedMemory();
    const auto workDirectory = std::filesystem::temp_directory_path() / "varrow-capture-bench";
    std::filesystem::create_directories(workDirectory);
    const varrow::WorkFiles files(workDirectory);

    std::vector<std::filesystem::path> pages;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
        if (entry.path().extension() == ".body")
            pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());

    std::printf("%-44s %13s %13s %14s\n", "input", "markup", "capture", "speed");
    double corpusSeconds = 0;
    std::size_t corpusBytes = 0;
    for (const auto& path : pages) {
        const std::string markup = varrow::readTextFile(path);
        const double seconds = captureSeconds(files, markup);
        report(path.stem().string().c_str(), markup.size(), seconds);
        corpusSeconds += seconds;
        corpusBytes += markup.size();
    }
    report("whole corpus", corpusBytes, corpusSeconds);

    for (const int entries : {10000, 20000}) {
        const std::string listing = directoryListing(entries);
        const std::string gallery = galleryPage(entries);
        report(("directory listing, " + std::to_string(entries) + " image links").c_str(),
               listing.size(), captureSeconds(files, listing));
        report(("gallery, " + std::to_string(entries) + " embedded images").c_str(), gallery.size(),
               captureSeconds(files, gallery));
    }
    std::filesystem::remove_all(workDirectory);
    return 0;
}
