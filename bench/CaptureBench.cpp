// Times the whole capture, files included (wall and processor time), on the real-page corpus, on
// that corpus put together in one page (once and twice), on generated pages of 10,000 and 20,000
// entries and on 8 MB of names that occur inside each other. For each input it also times the
// writing of its two pages alone, measures the peak memory of one capture in a process of its own,
// and, when the lxml listing runs (python3 with python3-lxml), how much longer lxml takes to list
// the same images.
//
// Usage: capture_bench CORPUS_PAGES_DIR
//        capture_bench --capture-once BODY_FILE DIR   (the child that one memory figure comes from)

#include "bench/BenchPages.h"
#include "capture/CapturePage.h"
#include "platform/process/ChildProcess.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace
{

// The standard output of a run that exited with 0; empty otherwise. Its error output is dropped.
std::string outputOfRun(const std::vector<std::string>& arguments)
{
    varrow::ProcessOutput run = varrow::runForOutput(arguments, /*dropErrors=*/true);
    return run.exitCode == 0 ? std::move(run.output) : std::string();
}

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 10;
constexpr int kLxmlRuns = 3;
// Each tool also runs each input until its runs took this much processor time in all: a small
// page's best of ten runs on a busy machine still varies from one bench to the next.
constexpr double kLeastSeconds = 0.25;
constexpr const char* kAddress = "http://pages.example/corpus/page.html";

// The best of several runs, in wall time and in processor time: the capture is deterministic, so
// the minimum is its cost without the noise of other work on the machine (and without first-touch
// page faults, see keepFreedMemory). On a machine that other processes keep busy, the processor
// time (this process's, kernel time included) is the steadier of the two.
struct Times {
    double wall = 1e9;
    double cpu = 1e9;
    double filesCpu = 1e9; // of writing the two pages alone
};

// The texts of the two pages that a capture of one input writes.
struct PageTexts {
    std::string source;
    std::string image;
};

// Puts pages as large as those of `texts` (with their final CR LF) in the two pages' places: a
// capture then replaces pages of its own size, as when a user captures pages like it one after
// another. The pages of another input would make it pay for freeing files larger or smaller than
// its own.
void putPagesOfSize(const varrow::WorkFiles& files, const PageTexts& texts)
{
    using varrow::WorkFiles;
    for (const auto& [page, text] : {std::pair{WorkFiles::kSourcePage, &texts.source},
                                     std::pair{WorkFiles::kImagePage, &texts.image}})
        std::ofstream(files.pathOf(page), std::ios::binary | std::ios::trunc)
            << std::string(text->size() + 2, ' ');
}

// Captures `markup` without timing it and returns the texts of the pages written.
PageTexts captureUntimed(const varrow::WorkFiles& files, const std::string& markup)
{
    varrow::ImageLists lists;
    const varrow::CaptureResult result = varrow::CapturePage(files, markup, kAddress, lists);
    // writeTextFile adds the final CR LF again.
    auto textOf = [](const std::filesystem::path& page) {
        std::string text = varrow::readTextFile(page);
        text.resize(text.size() - 2);
        return text;
    };
    return {textOf(result.sourcePage), textOf(result.imagePage)};
}

// Processor time since the timer was made.
class ProcessorTimer
{
public:
    double seconds() const { return static_cast<double>(std::clock() - m_start) / CLOCKS_PER_SEC; }

private:
    std::clock_t m_start = std::clock();
};

// Times one capture of `markup` over pages of its own size, keeping the better of each figure in
// `best`; returns the processor time it took.
double timeCapture(const varrow::WorkFiles& files, const std::string& markup,
                   const PageTexts& texts, Times& best)
{
    putPagesOfSize(files, texts);
    varrow::ImageLists lists;
    const auto start = Clock::now();
    const ProcessorTimer timer;
    varrow::CapturePage(files, markup, kAddress, lists);
    const double cpu = timer.seconds();
    best.cpu = std::min(best.cpu, cpu);
    best.wall = std::min(best.wall, std::chrono::duration<double>(Clock::now() - start).count());
    return cpu;
}

// Times the safe replacement of the two pages of a capture with `texts`, and nothing else, over
// pages of their own size, keeping the better figure in `best`; returns the processor time it
// took. No capture that writes these pages can take less.
double timeFilesAlone(const varrow::WorkFiles& files, const PageTexts& texts, Times& best)
{
    putPagesOfSize(files, texts);
    const ProcessorTimer timer;
    varrow::writeTextFile(files.pathOf(varrow::WorkFiles::kSourcePage), texts.source);
    varrow::writeTextFile(files.pathOf(varrow::WorkFiles::kImagePage), texts.image);
    const double cpu = timer.seconds();
    best.filesCpu = std::min(best.filesCpu, cpu);
    return cpu;
}

// Every input is captured in turns, one after the other, as a user captures pages one by one,
// and not each several times in a row: a run then never finds its page's text and pages still in
// the caches from the run before, which a real capture does not either, and a spell of other work
// on the machine slows all inputs alike. A first turn, not timed, learns each input's pages. Each
// turn then writes each input's pages alone, in the same order, so that each writing too follows
// another input's. The turns go on until each input ran kRuns times and for the least time on
// average.
std::vector<Times> timesInTurns(const varrow::WorkFiles& files,
                                const std::vector<std::string>& markups)
{
    std::vector<PageTexts> texts;
    for (const std::string& markup : markups)
        texts.push_back(captureUntimed(files, markup));
    std::vector<Times> best(markups.size());
    const double leastInAll = kLeastSeconds * static_cast<double>(markups.size());
    double spent = 0;
    for (int turn = 0; turn < kRuns || spent < leastInAll; ++turn) {
        for (std::size_t input = 0; input < markups.size(); ++input)
            spent += timeCapture(files, markups[input], texts[input], best[input]);
        for (std::size_t input = 0; input < markups.size(); ++input)
            timeFilesAlone(files, texts[input], best[input]);
    }
    return best;
}

// glibc gives the freed top of its heap back to the system once it grows past a threshold that
// moves with earlier allocations, and a run on given-back memory pays a page fault per page. So
// whether the best run faulted depended on how large the page was compared with what ran before,
// not on the capture. Keeping every allocation in the heap and the heap whole makes each run after
// the first start alike; the first turn, which is not timed, pays the faults.
void keepFreedMemory()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest that glibc accepts
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

struct Input {
    std::string name;
    std::filesystem::path file; // the markup, for the processes of their own
    std::size_t bytes;
};

struct Figures {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    double filesSeconds = 0;  // processor time of writing the two pages alone
    double lxmlSeconds = -1;  // -1: lxml did not run
    long long peakBytes = -1; // of the capture's process, less that of an empty capture
    std::uintmax_t sourceBytes = 0;
};

double megabytes(double bytes)
{
    return bytes / 1e6;
}

// The system's load averages over 1, 5 and 15 minutes, as /proc/loadavg gives them: the
// processor times below depend on how many other processes want the processors meanwhile.
std::string loadAverages()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    if (!(file >> one >> five >> fifteen))
        return "unknown";
    return one + " " + five + " " + fifteen;
}

void printHeader()
{
    std::printf("load average (1, 5, 15 min): %s\n", loadAverages().c_str());
    std::printf("%-40s %9s %8s %8s %8s %7s %8s %7s %8s %8s %6s\n", "input", "markup KB", "wall ms",
                "cpu ms", "files ms", "MB/s", "lxml ms", "lxml/x", "peak MB", "M+S MB", "peak/x");
}

void printRow(const std::string& name, std::size_t bytes, const Figures& figures)
{
    std::printf("%-40s %9.1f %8.2f %8.2f %8.2f %7.1f", name.c_str(),
                static_cast<double>(bytes) / 1024, figures.wallSeconds * 1000,
                figures.cpuSeconds * 1000, figures.filesSeconds * 1000,
                megabytes(static_cast<double>(bytes)) / figures.cpuSeconds);
    if (figures.lxmlSeconds >= 0)
        std::printf(" %8.2f %7.1f", figures.lxmlSeconds * 1000,
                    figures.lxmlSeconds / figures.cpuSeconds);
    else
        std::printf(" %8s %7s", "-", "-");
    if (figures.peakBytes >= 0) {
        const double both = static_cast<double>(bytes + figures.sourceBytes);
        std::printf(" %8.2f %8.2f %6.2f\n", megabytes(static_cast<double>(figures.peakBytes)),
                    megabytes(both), static_cast<double>(figures.peakBytes) / both);
    } else {
        std::printf(" %8s %8s %6s\n", "-", "-", "-");
    }
}

// The lxml listing's best time for each input, or nothing when it does not run here.
std::vector<double> lxmlSeconds(const std::vector<Input>& inputs)
{
    const std::string python = VARROW_BENCH_PYTHON;
    if (outputOfRun({python, "-c", "import lxml.html; print(1)"}).empty()) {
        std::printf("lxml listing: not run (%s cannot import lxml; install python3-lxml)\n",
                    python.c_str());
        return {};
    }
    std::vector<std::string> command{python, VARROW_LXML_LISTING, std::to_string(kLxmlRuns),
                                     std::to_string(kLeastSeconds), kAddress};
    for (const Input& input : inputs)
        command.push_back(input.file.string());
    std::istringstream output(outputOfRun(command));
    std::vector<double> seconds;
    for (double best = 0; output >> best;) {
        seconds.push_back(best);
        output.ignore(1 << 20, '\n'); // the count of addresses
    }
    if (seconds.size() != inputs.size()) {
        std::printf("lxml listing: failed\n");
        return {};
    }
    return seconds;
}

// Runs one capture of `file` in a process of its own and returns its peak resident memory. The
// process reports it itself: the rusage of a process spawned from this one would count this
// process's memory too, as it shares it until the exec.
long long capturePeak(const std::string& self, const std::filesystem::path& file,
                      const std::filesystem::path& directory)
{
    const std::string output =
        outputOfRun({self, "--capture-once", file.string(), directory.string()});
    return output.empty() ? -1 : std::stoll(output);
}

// The peak resident memory of this process since its start (exec), in bytes.
long long ownPeakMemory()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stoll(line.substr(6)) * 1024; // given in kB
    return -1;
}

int captureOnce(const char* file, const char* directory)
{
    {
        varrow::ImageLists lists;
        const varrow::CaptureResult result = varrow::CapturePage(
            varrow::WorkFiles(directory), varrow::readTextFile(file), kAddress, lists);
        if (!result.failures.empty())
            return 1;
    }
    std::printf("%lld\n", ownPeakMemory());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--capture-once")
        return captureOnce(argv[2], argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: capture_bench CORPUS_PAGES_DIR\n");
        return 2;
    }
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    const auto workDirectory = std::filesystem::temp_directory_path() / "varrow-capture-bench";
    const auto inputDirectory = workDirectory / "inputs";
    std::filesystem::create_directories(inputDirectory);
    const varrow::WorkFiles files(workDirectory);

    std::vector<std::filesystem::path> pages;
    for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
        if (entry.path().extension() == ".body")
            pages.push_back(entry.path());
    std::sort(pages.begin(), pages.end());

    std::vector<Input> inputs;
    for (const auto& path : pages)
        inputs.push_back({path.stem().string(), path, std::filesystem::file_size(path)});
    const std::size_t corpusInputs = inputs.size();
    auto addGenerated = [&](const std::string& name, const std::string& markup) {
        const auto file = inputDirectory / (std::to_string(inputs.size()) + ".body");
        varrow::writeTextFile(file, markup);
        std::filesystem::resize_file(file, markup.size()); // without the final CR LF
        inputs.push_back({name, file, markup.size()});
    };
    addGenerated("many pages: the corpus in one page", varrow::bench::manyPagesPage(pages, 1));
    addGenerated("many pages: the corpus twice", varrow::bench::manyPagesPage(pages, 2));
    for (const int entries : {10000, 20000}) {
        addGenerated("directory listing, " + std::to_string(entries) + " image links",
                     varrow::bench::directoryListing(entries));
        addGenerated("gallery, " + std::to_string(entries) + " embedded images",
                     varrow::bench::galleryPage(entries));
    }
    addGenerated("names inside each other, 8 MB",
                 varrow::bench::nestedNamesPage(std::size_t{8} << 20));

    // Each process of its own first: the in-process runs below keep their freed memory.
    const auto emptyPage = inputDirectory / "empty.body";
    varrow::writeTextFile(emptyPage, "");
    std::filesystem::resize_file(emptyPage, 0);
    const long long emptyPeak = capturePeak(self, emptyPage, workDirectory);
    std::vector<Figures> figures(inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const long long peak = capturePeak(self, inputs[i].file, workDirectory);
        figures[i].peakBytes = peak < 0 || emptyPeak < 0 ? -1 : peak - emptyPeak;
        figures[i].sourceBytes =
            std::filesystem::file_size(files.pathOf(varrow::WorkFiles::kSourcePage));
    }
    const std::vector<double> lxml = lxmlSeconds(inputs);

    keepFreedMemory();
    printHeader();
    Figures corpus;
    corpus.lxmlSeconds = lxml.empty() ? -1 : 0;
    std::size_t corpusBytes = 0;
    std::vector<std::string> markups;
    for (const Input& input : inputs)
        markups.push_back(varrow::readTextFile(input.file));
    markups.emplace_back(); // the empty page last: what every capture costs, its files alone
    const std::vector<Times> best = timesInTurns(files, markups);
    markups.clear();
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const Times& times = best[i];
        figures[i].wallSeconds = times.wall;
        figures[i].cpuSeconds = times.cpu;
        figures[i].filesSeconds = times.filesCpu;
        if (!lxml.empty())
            figures[i].lxmlSeconds = lxml[i];
        printRow(inputs[i].name, inputs[i].bytes, figures[i]);
        if (i < corpusInputs) {
            corpus.wallSeconds += figures[i].wallSeconds;
            corpus.cpuSeconds += figures[i].cpuSeconds;
            corpus.filesSeconds += figures[i].filesSeconds;
            if (!lxml.empty())
                corpus.lxmlSeconds += lxml[i];
            corpusBytes += inputs[i].bytes;
        }
        if (i + 1 == corpusInputs)
            printRow("whole corpus, page by page", corpusBytes, corpus);
    }

    const Figures& once = figures[corpusInputs];
    const Figures& twice = figures[corpusInputs + 1];
    std::printf("\nprocessor times, best of at least %d runs (lxml: %d) and of %.2f s of runs; "
                "all inputs in turns\n",
                kRuns, kLxmlRuns, kLeastSeconds);
    std::printf(
        "many pages, MB/s against the corpus page by page: %.2f (once), %.2f (twice)\n",
        (megabytes(static_cast<double>(inputs[corpusInputs].bytes)) / once.cpuSeconds) /
            (megabytes(static_cast<double>(corpusBytes)) / corpus.cpuSeconds),
        (megabytes(static_cast<double>(inputs[corpusInputs + 1].bytes)) / twice.cpuSeconds) /
            (megabytes(static_cast<double>(corpusBytes)) / corpus.cpuSeconds));
    std::printf("many pages, time of twice against once: %.2f\n",
                twice.cpuSeconds / once.cpuSeconds);
    if (!lxml.empty()) {
        auto ratio = [](const Figures& f) { return f.lxmlSeconds / f.cpuSeconds; };
        constexpr double kTargetRatio = 4;
        std::size_t least = 0;
        std::size_t reaching = 0;
        std::size_t outOfReach = 0; // writing the pages alone takes longer than the target allows
        std::string missed;         // the others that miss it
        for (std::size_t i = 0; i < figures.size(); ++i) {
            if (ratio(figures[i]) < ratio(figures[least]))
                least = i;
            if (ratio(figures[i]) >= kTargetRatio)
                ++reaching;
            else if (figures[i].lxmlSeconds / figures[i].filesSeconds < kTargetRatio)
                ++outOfReach;
            else
                missed.append(missed.empty() ? "" : ", ").append(inputs[i].name);
        }
        std::printf("lxml listing against the whole capture, least ratio: %.1f (%s); the corpus "
                    "page by page: %.1f; inputs at %.0f or more: %zu of %zu\n",
                    ratio(figures[least]), inputs[least].name.c_str(), ratio(corpus), kTargetRatio,
                    reaching, figures.size());
        std::printf("inputs whose pages' writing alone takes more than 1/%.0f of lxml's listing: "
                    "%zu; the others below %.0f: %s\n",
                    kTargetRatio, outOfReach, kTargetRatio,
                    missed.empty() ? "none" : missed.c_str());
    }
    std::printf("an empty page's capture, its files alone: %.3f ms processor time\n",
                best.back().cpu * 1000);
    std::printf("peak memory less an empty capture's (%.2f MB); M+S: markup plus source page\n",
                megabytes(static_cast<double>(emptyPeak)));
    std::printf("load average at the end (1, 5, 15 min): %s\n", loadAverages().c_str());
    std::filesystem::remove_all(workDirectory);
    return 0;
}
