#include "capture/cli/PageListLoading.h"
#include "capture/cli/PageRecords.h"
#include "platform/process/PipedProcess.h"

#include <charconv>
#include <map>
#include <stdexcept>

namespace varrow
{
namespace
{

// The most bytes any record but the markup may have: an inventory of many thousand pictures.
constexpr std::size_t kMaxOtherRecordBytes = std::size_t{64} << 20;

std::string decimal(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::vector<std::string> loaderArguments(const std::string& program,
                                         const PageListSettings& settings, bool save)
{
    std::vector<std::string> arguments{program,          "--list",
                                       "--jobs",         std::to_string(settings.jobs),
                                       "--page-timeout", decimal(settings.pageTimeoutSeconds),
                                       "--max-markup",   std::to_string(settings.maxMarkupBytes)};
    if (settings.inventory)
        arguments.push_back("--inventory");
    if (save)
        arguments.insert(arguments.end(),
                         {"--max-bytes", std::to_string(settings.maxPictureBytes)});
    return arguments;
}

// Adds one record to the page it belongs to; true when it ends the page.
bool addRecord(ListedPage& page, PageRecord& record)
{
    using namespace listrecord;
    if (record.kind == kLocation)
        page.location = std::move(record.payload);
    else if (record.kind == kMarkup)
        page.markup = std::move(record.payload);
    else if (record.kind == kTimeout)
        page.timedOut = true;
    else if (record.kind == kInventory)
        page.inventory = std::move(record.payload);
    else if (record.kind == kSaved)
        page.saved.push_back(std::move(record.payload));
    else if (record.kind == kUnsaved)
        page.unsaved.push_back(std::move(record.payload));
    else if (record.kind == kSeconds)
        std::from_chars(record.payload.data(), record.payload.data() + record.payload.size(),
                        page.seconds);
    else if (record.kind == kFailed)
        page.failure = record.payload.empty() ? "the page could not be loaded" : record.payload;
    else if (record.kind != kDone)
        throw std::runtime_error("the page loader wrote a record of an unknown kind");
    return record.kind == kDone || record.kind == kFailed;
}

} // namespace

PageListRenderer pageListProcess(const std::string& program)
{
    return [program](const std::vector<PageListJob>& jobs, const PageListSettings& settings,
                     const std::function<void(ListedPage&)>& each) {
        bool save = false;
        for (const PageListJob& job : jobs)
            save = save || !job.picturesFolder.empty();
        PipedProcess loader(loaderArguments(program, settings, save));
        if (!loader.started())
            throw std::runtime_error("cannot run " + program);
        // The loader reads every job before it writes anything, so that neither waits on the
        // other.
        std::string input;
        for (std::size_t index = 0; index < jobs.size(); ++index) {
            input += encodePageRecord(listrecord::kPage, index, jobs[index].address);
            if (!jobs[index].picturesFolder.empty())
                input += encodePageRecord(listrecord::kPictures, index, jobs[index].picturesFolder);
            if (input.size() >= (std::size_t{1} << 16)) {
                loader.write(input);
                input.clear();
            }
        }
        loader.write(input);
        loader.closeInput();

        const std::size_t maxMarkup = settings.maxMarkupBytes;
        PageRecordReader reader([maxMarkup](std::string_view kind) {
            return kind == listrecord::kMarkup ? maxMarkup : kMaxOtherRecordBytes;
        });
        std::map<std::size_t, ListedPage> loading;
        char buffer[1 << 16];
        while (const std::size_t count = loader.read(buffer, sizeof buffer)) {
            reader.add({buffer, count});
            while (auto record = reader.next()) {
                if (record->index >= jobs.size())
                    throw std::runtime_error("the page loader wrote a record of no page");
                ListedPage& page = loading[record->index];
                page.index = record->index;
                if (addRecord(page, *record)) {
                    ListedPage finished = std::move(page);
                    loading.erase(record->index);
                    each(finished);
                }
            }
        }
        const int exitCode = loader.wait();
        if (loader.stopSignal() != 0)
            return loader.stopSignal();
        if (exitCode > 128) // stopped by a signal sent to the loader alone
            return exitCode - 128;
        if (exitCode != 0 || reader.holdsPartialRecord())
            throw std::runtime_error("the page loader ended with status " +
                                     std::to_string(exitCode) +
                                     (exitCode < 0 ? " (it could not be run or was killed)" : ""));
        return 0;
    };
}

} // namespace varrow
