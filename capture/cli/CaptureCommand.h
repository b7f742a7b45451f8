#pragma once

#include "capture/PictureFileNames.h"
#include "capture/cli/ListShard.h"
#include "extract/ImageLists.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The command line of varrow-capture: the program's capture run on markup from a file. Arguments
// are UTF-8 text, so that file names need not fit the system code page.
namespace varrow
{

// The longest markup a capture takes unless told otherwise: far beyond any real page's body, and
// short enough that the capture's memory stays a small multiple of it.
inline constexpr std::size_t kDefaultMaxMarkupBytes = std::size_t{256} << 20;

// The longest wait --settle and --page-timeout accept, in seconds.
inline constexpr double kMaxSettleSeconds = 3600;

// How long a page of a list may take to load before it is captured as it stands.
inline constexpr double kDefaultPageTimeoutSeconds = 60;

// The most pages --jobs loads at once: each is a renderer of the engine's, of its own memory.
inline constexpr std::size_t kMaxJobs = 64;

// The --jobs a list capture takes unless told: the machine's cores, at most 4.
std::size_t defaultJobs();

struct CaptureOptions {
    std::string pageAddress;           // --url
    std::string outputDirectory = "."; // --out
    bool printLists = false;           // --lists
    std::string input = "-";           // FILE; "-" is standard input
    std::string load;                  // --load: a page to render instead of reading FILE
    std::string saveFolder;            // --save: save the loaded page's pictures here instead
    bool inventory = false;            // --inventory: list the rendered page's pictures
    double settleSeconds = 0;          // --settle: wait for late pictures before listing them
    std::size_t maxMarkupBytes = kDefaultMaxMarkupBytes; // --max-markup
    // --max-bytes: the most one saved picture may have
    std::int64_t maxBytes = kDefaultMaxPictureBytes;
    std::string loadList; // --load-list: a file of addresses to capture, "-" for stdin
    std::size_t jobs = 1; // --jobs: pages loading at once
    ListShard shard;      // --shard K/N
    double pageTimeoutSeconds = kDefaultPageTimeoutSeconds; // --page-timeout
    bool savePictures = false; // --save with --load-list: each page's pictures, in its folder
};

// The count of a --max-markup or --max-bytes value: a whole decimal number of at least 1 that
// `Count` holds; nothing for any other text.
template <typename Count> std::optional<Count> parseByteCount(std::string_view text)
{
    Count count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || count < 1)
        return std::nullopt;
    return count;
}

// The seconds of a --settle value: a decimal number from 0 to kMaxSettleSeconds; nothing for any
// other text.
std::optional<double> parseSettleSeconds(std::string_view text);

// The text of the file `input` ("-" is `in`), at most `maxBytes`; throws FileError when it cannot
// be read or is longer.
std::string readInputText(const std::string& input, std::istream& in, std::size_t maxBytes);

// A page rendered by the browser engine: its body markup (empty when it cannot be read) and the
// address the browser reports for it.
struct LoadedPage {
    std::string markup;
    std::string address;
};

// Renders an address or a local file as the program does; throws std::runtime_error with a
// readable reason when the page cannot be loaded or its markup is longer than `maxMarkupBytes`.
using PageLoader =
    std::function<LoadedPage(const std::string& addressOrFile, std::size_t maxMarkupBytes)>;

// Lists every picture of an address or a local file rendered as the program does, `settleSeconds`
// after it has loaded: one JSON object per picture, each on a line of its own. Throws
// std::runtime_error with a readable reason when the page cannot be loaded.
using PageInventoryLister =
    std::function<std::string(const std::string& addressOrFile, double settleSeconds)>;

// The outcome of reading the arguments: options to run, or an exit code to end with at once
// (0 after --help, 2 after misuse) with its text already written.
struct ParsedCommand {
    std::optional<CaptureOptions> options;
    int exitCode = 0;
};

ParsedCommand parseCaptureCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                  std::ostream& err);

// One list entry as one line: backslash, tab, LF and CR written as \\, \t, \n and \r, every other
// control character as printableText writes it.
std::string escapeListField(const std::string& field);

// Writes the four lists as "image<TAB>address<TAB>name" lines for the embedded images, then
// "link<TAB>address<TAB>name" lines for the links to images.
void printLists(const ImageLists& lists, std::ostream& out);

// Reads the markup (or has `loader` render the page given with --load), runs the capture in the
// output directory and reports. Returns the exit code: 0, or 1 after naming the file that could
// not be read or written (or the page that could not be loaded) and why. Without a loader,
// --load is refused.
int runCaptureCommand(const CaptureOptions& options, std::istream& in, std::ostream& out,
                      std::ostream& err, const PageLoader& loader = {});

// Prints the pictures of the page given with --load and --inventory, as `lister` lists them, and
// writes no file. Returns 0, or 1 after naming the page that could not be loaded and why; without
// a lister, --inventory is refused.
int runInventoryCommand(const CaptureOptions& options, std::ostream& out, std::ostream& err,
                        const PageInventoryLister& lister);

} // namespace varrow
