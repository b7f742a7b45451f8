#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// varrow-capture --load-list has one long-lived page loader render every page of the list, a few
// at once, and hand each page over as it finishes.
namespace varrow
{

// One page to render, and where its pictures go (empty: they are not saved).
struct PageListJob {
    std::string address;
    std::string picturesFolder;
};

// How the loader renders the list.
struct PageListSettings {
    std::size_t jobs = 1; // pages loading at once
    double pageTimeoutSeconds = 60;
    std::size_t maxMarkupBytes = 0;
    bool inventory = false; // hand over each page's pictures as JSON Lines
    std::int64_t maxPictureBytes = 0;
};

// A page of the list as the loader hands it over: the job's index, and either `failure` (why it
// could not be loaded) or the rest.
struct ListedPage {
    std::size_t index = 0;
    std::string failure;
    std::string location; // the address the browser reports
    std::string markup;
    bool timedOut = false;            // the load did not finish in time: the markup as it stood
    std::string inventory;            // with settings.inventory
    std::vector<std::string> saved;   // the files saved, with a pictures folder
    std::vector<std::string> unsaved; // why each picture that was not saved was not
    double seconds = 0;               // from the start of its load to its hand-over
};

// Renders `jobs` with `settings` and calls `each` for every page as it finishes, in the order
// they finish. Returns 0, or the stop signal (SIGINT, SIGTERM, SIGHUP) that ended the run early,
// once the pages still loading were given up and their partial files removed. Throws
// std::runtime_error when the loader cannot be run or breaks off.
using PageListRenderer =
    std::function<int(const std::vector<PageListJob>& jobs, const PageListSettings& settings,
                      const std::function<void(ListedPage& page)>& each)>;

// The record kinds of the list protocol (see PageRecords): to the loader, a page to render and
// the folder for its pictures; from it, what it found for a page, which "done" or "failed" ends.
namespace listrecord
{
inline constexpr const char* kPage = "page";
inline constexpr const char* kPictures = "pictures";
inline constexpr const char* kLocation = "location";
inline constexpr const char* kMarkup = "markup";
inline constexpr const char* kTimeout = "timeout";
inline constexpr const char* kInventory = "inventory";
inline constexpr const char* kSaved = "saved";
inline constexpr const char* kUnsaved = "unsaved";
inline constexpr const char* kSeconds = "seconds";
inline constexpr const char* kDone = "done";
inline constexpr const char* kFailed = "failed";
} // namespace listrecord

// The loader that runs `program` (varrow-load-page) once for the whole list, with "--list" and
// the settings as arguments, the jobs as records on its input, the pages as records on its output.
PageListRenderer pageListProcess(const std::string& program);

} // namespace varrow
