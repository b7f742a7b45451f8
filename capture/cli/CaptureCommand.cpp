#include "capture/cli/CaptureCommand.h"

#include "capture/CapturePage.h"
#include "capture/cli/PrintableText.h"
#include "platform/textfile/TemporaryFile.h"
#include "platform/textfile/TextFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <thread>
#include <type_traits>

namespace varrow
{

namespace
{

constexpr const char* kProgram = "varrow-capture";

void printUsage(std::ostream& stream)
{
    stream << "Usage: " << kProgram
           << " --url ADDRESS [--out DIR] [--lists] [--max-markup BYTES] [FILE]\n"
           << "       " << kProgram
           << " --load ADDRESS_OR_FILE [--out DIR] [--lists] [--max-markup BYTES]\n"
           << "       " << kProgram << " --load ADDRESS_OR_FILE --inventory [--settle SECONDS]\n"
           << "       " << kProgram << " --load ADDRESS_OR_FILE --save FOLDER [--max-bytes N]\n"
           << "       " << kProgram
           << " --load-list FILE --out DIR [--jobs N] [--inventory] [--save]\n"
           << "                      [--shard K/N] [--page-timeout SECONDS] [--max-markup BYTES]\n"
           << "                      [--max-bytes N]\n"
           << "\n"
           << "Captures a page as Varrow does after every load: reads the body markup from FILE\n"
           << "(standard input when FILE is absent or \"-\"), finds its embedded images and its\n"
           << "links to images, resolves them against ADDRESS and writes the source page\n"
           << "\"source.htm\" and the gallery \"imagepage.html\" with the other working files\n"
           << "into DIR.\n"
           << "\n"
           << "  --url ADDRESS  address of the page the markup comes from\n"
           << "  --load PAGE    open PAGE (an address or a local file) in the browser engine,\n"
           << "                 off screen, and capture its markup under the address the\n"
           << "                 browser reports\n"
           << "  --out DIR      program directory for the working files (default: .)\n"
           << "  --lists        print the four lists as tab-separated lines instead of a summary;\n"
           << "                 control characters in them are written as %XX\n"
           << "  --max-markup BYTES\n"
           << "                 refuse markup longer than BYTES (default: "
           << kDefaultMaxMarkupBytes << ", 256 MiB)\n"
           << "  --inventory    with --load: print every picture the page uses instead, one JSON\n"
           << "                 object per line (url, found, width, height, type, bytes, alt,\n"
           << "                 count), and write no files\n"
           << "  --settle SECONDS\n"
           << "                 with --inventory: wait SECONDS (0 to 3600) after the page has\n"
           << "                 loaded, for pictures that come late\n"
           << "  --save FOLDER  with --load: save every picture --inventory lists into FOLDER\n"
           << "                 instead (never replacing a file) and print \"saved<TAB>FILE\" or\n"
           << "                 \"failed<TAB>REASON\" for each; exits 1 when any failed; a\n"
           << "                 picture that is no picture by its content fails, and a broken\n"
           << "                 or stopped save leaves no partial file\n"
           << "  --max-bytes N  with --save: a picture larger than N bytes fails and is not kept\n"
           << "                 (default: " << kDefaultMaxPictureBytes << ", 100 MiB)\n"
           << "  --load-list FILE\n"
           << "                 capture every address of FILE (\"-\": standard input), one a\n"
           << "                 line (blank lines and lines starting with # are skipped), each\n"
           << "                 into a folder of its own under DIR, named after its address,\n"
           << "                 with inventory.jsonl (--inventory) and pictures/ (--save);\n"
           << "                 prints one JSON line per page; a journal in DIR lets the same\n"
           << "                 command, run again, skip the pages already done\n"
           << "  --jobs N       with --load-list: load N pages at once (1 to " << kMaxJobs
           << ", default: the\n"
           << "                 number of cores, at most 4)\n"
           << "  --shard K/N    with --load-list: take only the addresses whose position in the\n"
           << "                 list (from 0) modulo N is K, for a job runner that spreads\n"
           << "                 one list over N machines (see the manual page)\n"
           << "  --page-timeout SECONDS\n"
           << "                 with --load-list: capture a page that has not finished loading\n"
           << "                 after SECONDS (default: 60) as it stands\n"
           << "  --help         show this text\n";
}

ParsedCommand misuse(std::ostream& err, const std::string& problem)
{
    err << kProgram << ": " << problem << "\n";
    printUsage(err);
    return {std::nullopt, 2};
}

// A directory we cannot write would fail every step; find out before any file is touched. The
// probe is a temporary file of a name of its own, gone again at once.
void checkWritableDirectory(const std::filesystem::path& directory)
{
    std::error_code code;
    if (!std::filesystem::is_directory(directory, code))
        throw FileError(directory, code ? code.message() : "Not a directory");
    const TemporaryFile probe(directory / ".varrow-capture-probe");
}

void printSummary(const CaptureResult& result, const ImageLists& lists, std::ostream& out)
{
    out << lists[ImageLists::kEmbeddedImages].size() << " embedded images, "
        << lists[ImageLists::kLinkedImages].size() << " links to images\n"
        << "source page:  " << printableText(result.sourcePage.string()) << "\n"
        << "gallery page: " << printableText(result.imagePage.string()) << "\n";
}

} // namespace

std::string readInputText(const std::string& input, std::istream& in, std::size_t maxBytes)
{
    if (input != "-")
        return readTextFile(pathFromUtf8(input), maxBytes);
    std::string markup;
    char chunk[std::size_t{64} << 10];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (count > maxBytes - markup.size())
            throw FileError("standard input",
                            "larger than the limit of " + std::to_string(maxBytes) + " bytes");
        markup.append(chunk, count);
    }
    if (in.bad())
        throw FileError("standard input", "read error");
    return markup;
}

std::size_t defaultJobs()
{
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4);
}

std::optional<double> parseSettleSeconds(std::string_view text)
{
    double seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(seconds) || seconds < 0 || seconds > kMaxSettleSeconds)
        return std::nullopt;
    return seconds;
}

ParsedCommand parseCaptureCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                  std::ostream& err)
{
    CaptureOptions options;
    // With a list, --save is a switch: each page's pictures go into its own folder.
    const bool listMode =
        std::find(arguments.begin(), arguments.end(), "--load-list") != arguments.end();
    bool haveJobs = false;
    bool haveShard = false;
    bool havePageTimeout = false;
    bool haveAddress = false;
    bool haveInput = false;
    bool haveOutput = false;
    bool haveSettle = false;
    bool haveMaxMarkup = false;
    bool haveMaxBytes = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= arguments.size())
                return false;
            target = arguments[++i];
            return true;
        };
        // The value of --max-markup or --max-bytes, into `target`.
        auto byteCount = [&](auto& target) {
            std::string text;
            const auto parsed =
                value(text) ? parseByteCount<std::remove_reference_t<decltype(target)>>(text)
                            : std::nullopt;
            if (parsed)
                target = *parsed;
            return parsed.has_value();
        };
        if (argument == "--help") {
            printUsage(out);
            return {std::nullopt, 0};
        } else if (argument == "--url") {
            if (!value(options.pageAddress))
                return misuse(err, "--url needs an address");
            haveAddress = true;
        } else if (argument == "--load") {
            if (!value(options.load))
                return misuse(err, "--load needs an address or a file");
        } else if (argument == "--out") {
            if (!value(options.outputDirectory))
                return misuse(err, "--out needs a directory");
            haveOutput = true;
        } else if (argument == "--max-markup") {
            if (!byteCount(options.maxMarkupBytes))
                return misuse(err, "--max-markup needs a whole number of bytes from 1 on");
            haveMaxMarkup = true;
        } else if (argument == "--lists") {
            options.printLists = true;
        } else if (argument == "--inventory") {
            options.inventory = true;
        } else if (argument == "--settle") {
            std::string seconds;
            const auto parsed = value(seconds) ? parseSettleSeconds(seconds) : std::nullopt;
            if (!parsed)
                return misuse(err, "--settle needs a number of seconds from 0 to 3600");
            options.settleSeconds = *parsed;
            haveSettle = true;
        } else if (argument == "--save" && listMode) {
            options.savePictures = true;
        } else if (argument == "--save") {
            if (!value(options.saveFolder) || options.saveFolder.empty())
                return misuse(err, "--save needs a folder");
        } else if (argument == "--load-list") {
            if (!value(options.loadList) || options.loadList.empty())
                return misuse(err, "--load-list needs a file of addresses");
        } else if (argument == "--jobs") {
            if (!byteCount(options.jobs) || options.jobs > kMaxJobs)
                return misuse(err,
                              "--jobs needs a whole number from 1 to " + std::to_string(kMaxJobs));
            haveJobs = true;
        } else if (argument == "--shard") {
            std::string text;
            const auto parsed = value(text) ? parseListShard(text) : std::nullopt;
            if (!parsed)
                return misuse(err, "--shard needs K/N, whole numbers with K below N");
            options.shard = *parsed;
            haveShard = true;
        } else if (argument == "--page-timeout") {
            std::string seconds;
            const auto parsed = value(seconds) ? parseSettleSeconds(seconds) : std::nullopt;
            if (!parsed || *parsed <= 0)
                return misuse(err, "--page-timeout needs a number of seconds above 0, up to 3600");
            options.pageTimeoutSeconds = *parsed;
            havePageTimeout = true;
        } else if (argument == "--max-bytes") {
            if (!byteCount(options.maxBytes))
                return misuse(err, "--max-bytes needs a whole number of bytes from 1 on");
            haveMaxBytes = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return misuse(err, "unknown option " + argument);
        } else if (haveInput) {
            return misuse(err, "only one input file can be given");
        } else {
            options.input = argument;
            haveInput = true;
        }
    }
    if (listMode) {
        if (!options.load.empty() || haveAddress || haveInput || options.printLists || haveSettle)
            return misuse(err, "--load-list takes neither --load, --url, FILE, --lists nor "
                               "--settle");
        if (!haveOutput)
            return misuse(err, "--load-list needs --out");
        if (haveMaxBytes && !options.savePictures)
            return misuse(err, "--max-bytes needs --save");
        if (!haveJobs)
            options.jobs = defaultJobs();
        return {options, 0};
    }
    if (haveJobs || haveShard || havePageTimeout)
        return misuse(err, "--jobs, --shard and --page-timeout need --load-list");
    if (options.inventory && options.load.empty())
        return misuse(err, "--inventory needs --load");
    if (options.load.empty() && !haveAddress)
        return misuse(err, "--url or --load is required");
    if (!options.load.empty() && (haveAddress || haveInput))
        return misuse(err, "--load takes neither --url nor FILE");
    if (options.inventory && (haveOutput || options.printLists || haveMaxMarkup))
        return misuse(err, "--inventory writes no files: it takes neither --out, --lists nor "
                           "--max-markup");
    if (haveSettle && !options.inventory)
        return misuse(err, "--settle needs --inventory");
    if (!options.saveFolder.empty() && options.load.empty())
        return misuse(err, "--save needs --load");
    if (!options.saveFolder.empty() &&
        (haveOutput || options.printLists || options.inventory || haveMaxMarkup))
        return misuse(err, "--save takes neither --out, --lists, --inventory nor --max-markup");
    if (haveMaxBytes && options.saveFolder.empty())
        return misuse(err, "--max-bytes needs --save");
    return {options, 0};
}

std::string escapeListField(const std::string& field)
{
    std::string escaped;
    escaped.reserve(field.size());
    for (const char c : field) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return printableText(escaped);
}

void printLists(const ImageLists& lists, std::ostream& out)
{
    const std::pair<std::size_t, const char*> kinds[] = {{ImageLists::kEmbeddedImages, "image"},
                                                         {ImageLists::kLinkedImages, "link"}};
    for (const auto& [index, kind] : kinds)
        for (const FoundImage& image : lists[index])
            out << kind << '\t' << escapeListField(image.address) << '\t'
                << escapeListField(image.name) << '\n';
}

int runCaptureCommand(const CaptureOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err, const PageLoader& loader)
{
    LoadedPage page{{}, options.pageAddress};
    if (!options.load.empty()) {
        if (!loader) {
            err << kProgram << ": --load needs the browser engine, which this installation lacks\n";
            return 1;
        }
        try {
            page = loader(options.load, options.maxMarkupBytes);
        } catch (const std::runtime_error& error) {
            err << kProgram << ": cannot load " << printableText(options.load) << ": "
                << printableText(error.what()) << "\n";
            return 1;
        }
    } else {
        try {
            page.markup = readInputText(options.input, in, options.maxMarkupBytes);
        } catch (const FileError& error) {
            err << kProgram << ": cannot read " << printableText(error.what()) << "\n";
            return 1;
        }
    }
    try {
        checkWritableDirectory(pathFromUtf8(options.outputDirectory));
    } catch (const FileError& error) {
        err << kProgram << ": cannot write to " << printableText(error.what()) << "\n";
        return 1;
    }
    ImageLists lists;
    const CaptureResult result = CapturePage(WorkFiles(pathFromUtf8(options.outputDirectory)),
                                             page.markup, page.address, lists);
    if (!result.failures.empty()) {
        err << kProgram << ": cannot write " << printableText(result.failures.front()) << "\n";
        return 1;
    }
    if (options.printLists)
        printLists(lists, out);
    else
        printSummary(result, lists, out);
    return 0;
}

int runInventoryCommand(const CaptureOptions& options, std::ostream& out, std::ostream& err,
                        const PageInventoryLister& lister)
{
    if (!lister) {
        err << kProgram
            << ": --inventory needs the browser engine, which this installation lacks\n";
        return 1;
    }
    try {
        out << lister(options.load, options.settleSeconds);
    } catch (const std::runtime_error& error) {
        err << kProgram << ": cannot load " << printableText(options.load) << ": "
            << printableText(error.what()) << "\n";
        return 1;
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace varrow
