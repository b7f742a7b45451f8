#include "capture/cli/ListCapture.h"

#include "capture/CapturePage.h"
#include "capture/cli/AddressList.h"
#include "capture/cli/CaptureJournal.h"
#include "capture/cli/PageFolderNames.h"
#include "capture/cli/PrintableText.h"
#include "capture/cli/ProgressLine.h"
#include "platform/textfile/TemporaryFile.h"
#include "platform/textfile/TextFile.h"

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>

namespace varrow
{
namespace
{

constexpr const char* kProgram = "varrow-capture";

using Json = nlohmann::ordered_json;

// The working files that CapturePage leaves as one empty line: no result of a page's.
constexpr std::string_view kScratchFiles[] = {WorkFiles::kBrowser, WorkFiles::kImages,
                                              WorkFiles::kMarkup, WorkFiles::kScratch};

// A page is built in a folder of this prefix, its position in the list and letters nobody can
// guess (so nobody can plant a link there first), and takes its own name only when complete: so
// no folder of that name is ever half-written, and a folder of that name that was there before
// (the person's own) is never written into or removed. Names that start with a dot are no page's
// (safeFileName).
constexpr std::string_view kStagingPrefix = ".varrow-partial-";

std::string stagingFolderName(std::size_t position)
{
    return std::string(kStagingPrefix) + std::to_string(position) + '-' + unguessableLetters();
}

void printLine(std::ostream& out, const Json& line)
{
    out << line.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
}

// One list capture: the pages still to do, and what became of them.
class ListRun
{
public:
    ListRun(const CaptureOptions& options, std::ostream& out, std::ostream& err, bool showProgress)
        : m_options(options), m_directory(pathFromUtf8(options.outputDirectory)), m_out(out),
          m_err(err), m_progress(err, showProgress)
    {
    }

    int run(std::istream& in, const PageListRenderer& loader);

private:
    void problem(const std::string& text);
    // Captures one page that the loader handed over into its folder, and notes it.
    void capture(ListedPage& page);
    // Captures the page into `staging`, then gives that folder the name `folder`.
    Json captureIntoFolder(ListedPage& page, const std::filesystem::path& staging,
                           const std::filesystem::path& folder);
    void fail(Json& line, const std::string& reason, const std::filesystem::path& staging);
    void removeFolder(const std::filesystem::path& folder);
    // Removes what runs that ended early left of the pages they were building.
    void removeStagingFolders();
    ListProgress progress() const;

    const CaptureOptions& m_options;
    const std::filesystem::path m_directory;
    std::ostream& m_out;
    std::ostream& m_err;
    ProgressLine m_progress;
    std::optional<CaptureJournal> m_journal;
    struct Pending {
        std::string address;
        std::string folder;
        std::filesystem::path staging;
    };
    std::vector<Pending> m_pending;
    std::set<std::size_t> m_unfinished; // of m_pending
    std::size_t m_total = 0;
    std::size_t m_done = 0;
    std::size_t m_captured = 0;
    std::size_t m_picturesSaved = 0;
    bool m_anyFailed = false;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

void ListRun::problem(const std::string& text)
{
    m_progress.clear();
    m_err << kProgram << ": " << text << "\n" << std::flush;
    m_anyFailed = true;
}

ListProgress ListRun::progress() const
{
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - m_start;
    return {m_done, m_total, m_captured, m_picturesSaved, elapsed.count()};
}

void ListRun::removeFolder(const std::filesystem::path& folder)
{
    std::error_code code;
    std::filesystem::remove_all(folder, code);
    if (code)
        problem("cannot remove " + printableText(folder.string()) + ": " + code.message());
}

void ListRun::removeStagingFolders()
{
    std::error_code code;
    for (const auto& entry : std::filesystem::directory_iterator(m_directory, code))
        if (entry.path().filename().string().starts_with(kStagingPrefix))
            removeFolder(entry.path());
    if (code)
        problem("cannot read " + printableText(m_directory.string()) + ": " + code.message());
}

void ListRun::fail(Json& line, const std::string& reason, const std::filesystem::path& staging)
{
    removeFolder(staging);
    line["outcome"] = "failed";
    line["reason"] = printableText(reason);
    m_anyFailed = true;
}

Json ListRun::captureIntoFolder(ListedPage& page, const std::filesystem::path& staging,
                                const std::filesystem::path& folder)
{
    Json line;
    std::error_code code;
    std::filesystem::create_directory(staging, code); // there already when pictures were saved
    if (code) {
        fail(line, "cannot make " + staging.string() + ": " + code.message(), staging);
        return line;
    }
    ImageLists lists;
    const CaptureResult result = CapturePage(WorkFiles(staging), page.markup, page.location, lists);
    std::string().swap(page.markup); // the largest part of a page, no longer needed
    if (!result.failures.empty()) {
        fail(line, "cannot write " + result.failures.front(), staging);
        return line;
    }
    for (const std::string_view scratch : kScratchFiles)
        std::filesystem::remove(staging / scratch, code);
    try {
        if (m_options.inventory) {
            // Byte for byte what --inventory prints: JSON Lines end at LF alone.
            TemporaryFile inventory(staging / kInventoryFileName);
            inventory.write(page.inventory);
            inventory.replaceTarget();
        }
        // The results reach the disk before the journal names the page as finished.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(staging))
            if (!syncToDisk(entry.path()))
                throw FileError(entry.path(), "cannot sync it to the disk");
        if (!syncToDisk(staging))
            throw FileError(staging, "cannot sync it to the disk");
        // A rename never replaces a folder that holds anything, so a folder of that name that
        // was there before is left as it is and the page fails.
        std::filesystem::rename(staging, folder, code);
        if (code)
            throw FileError(folder, code.message() + "; a folder of that name is left as it is");
        if (!syncToDisk(m_directory))
            throw FileError(m_directory, "cannot sync it to the disk");
    } catch (const std::exception& error) {
        fail(line, std::string("cannot write ") + error.what(), staging);
        return line;
    }
    line["outcome"] = "done";
    line["location"] = printableText(page.location);
    line["timedOut"] = page.timedOut;
    line["images"] = lists[ImageLists::kEmbeddedImages].size();
    line["links"] = lists[ImageLists::kLinkedImages].size();
    if (m_options.savePictures) {
        line["pictures"] = page.saved.size();
        line["picturesFailed"] = page.unsaved.size();
        if (!page.unsaved.empty())
            line["pictureProblems"] = Json::array();
        for (const std::string& reason : page.unsaved)
            line["pictureProblems"].push_back(printableText(reason));
    }
    return line;
}

void ListRun::capture(ListedPage& page)
{
    const auto& [address, folderName, staging] = m_pending.at(page.index);
    const std::filesystem::path folder = m_directory / pathFromUtf8(folderName);
    Json line{{"address", address}, {"folder", folderName}};
    if (!page.failure.empty()) {
        fail(line, page.failure, staging);
    } else {
        line.update(captureIntoFolder(page, staging, folder));
        if (line["outcome"] == "done") {
            try {
                m_journal->record(address, folderName);
            } catch (const FileError& error) {
                // Not noted, so the next run captures the page again into a fresh folder.
                fail(line, std::string("cannot note it in ") + error.what(), folder);
            }
        }
    }
    line["seconds"] = std::round(page.seconds * 1000) / 1000;
    m_unfinished.erase(page.index);
    ++m_done;
    ++m_captured;
    if (line["outcome"] == "done")
        m_picturesSaved += page.saved.size();
    m_progress.clear();
    printLine(m_out, line);
    m_progress.update(progress());
}

int ListRun::run(std::istream& in, const PageListRenderer& loader)
{
    AddressList list;
    try {
        list = parseAddressList(readAddressList(m_options.loadList, in));
    } catch (const FileError& error) {
        problem("cannot read " + printableText(error.what()));
        return 1;
    }
    const ListShard shard = m_options.shard;
    for (const AddressListProblem& bad : list.problems)
        if (shard.takes(bad.position))
            problem("line " + std::to_string(bad.line) + ": " + bad.reason);
    try {
        std::error_code code;
        std::filesystem::create_directories(m_directory, code);
        if (code)
            throw FileError(m_directory, code.message());
        m_journal.emplace(m_directory);
    } catch (const FileError& error) {
        problem("cannot write to " + printableText(error.what()));
        return 1;
    }
    removeStagingFolders();
    // Folders are given over the whole list, so that every shard names a page's folder alike.
    std::vector<std::string> addresses;
    for (const ListedAddress& entry : list.addresses)
        addresses.push_back(entry.address);
    const std::vector<std::string> folders = assignPageFolders(addresses, m_journal->finished());
    std::vector<PageListJob> jobs;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        if (!shard.takes(list.addresses[i].position))
            continue;
        ++m_total;
        if (m_journal->finished().count(addresses[i]) != 0) {
            ++m_done;
            printLine(m_out, Json{{"address", addresses[i]},
                                  {"folder", folders[i]},
                                  {"outcome", "skipped"},
                                  {"reason", "already done"}});
            continue;
        }
        const std::filesystem::path staging = m_directory / stagingFolderName(i);
        m_unfinished.insert(m_pending.size());
        m_pending.push_back({addresses[i], folders[i], staging});
        jobs.push_back({addresses[i], !m_options.savePictures
                                          ? std::string()
                                          : (staging / kPicturesFolderName).string()});
    }
    m_progress.update(progress());
    int stopSignal = 0;
    if (!jobs.empty()) {
        if (!loader) {
            problem("--load-list needs the browser engine, which this installation lacks");
            return 1;
        }
        const PageListSettings settings{m_options.jobs, m_options.pageTimeoutSeconds,
                                        m_options.maxMarkupBytes, m_options.inventory,
                                        m_options.maxBytes};
        try {
            stopSignal = loader(jobs, settings, [this](ListedPage& page) { capture(page); });
        } catch (const std::runtime_error& error) {
            problem(printableText(error.what()));
            for (const std::size_t index : m_unfinished)
                printLine(m_out, Json{{"address", m_pending[index].address},
                                      {"folder", m_pending[index].folder},
                                      {"outcome", "failed"},
                                      {"reason", printableText(error.what())}});
        }
    }
    // A page the run did not finish leaves nothing behind: the next run does it again.
    for (const std::size_t index : m_unfinished)
        removeFolder(m_pending[index].staging);
    m_progress.finish(progress());
    if (stopSignal != 0) {
        m_err << kProgram << ": stopped; " << m_unfinished.size()
              << " pages left undone, and none half-written\n";
        return 128 + stopSignal;
    }
    if (!m_unfinished.empty())
        m_anyFailed = true;
    return m_anyFailed ? 1 : 0;
}

} // namespace

int runListCapture(const CaptureOptions& options, std::istream& in, std::ostream& out,
                   std::ostream& err, bool showProgress, const PageListRenderer& loader)
{
    ListRun run(options, out, err, showProgress);
    return run.run(in, loader);
}

} // namespace varrow
