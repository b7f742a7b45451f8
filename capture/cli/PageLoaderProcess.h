#pragma once

#include "capture/cli/CaptureCommand.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

// varrow-capture renders pages (--load) through a separate program that links the browser
// engine, so that a capture of a file never starts the engine, nor even loads its libraries.
namespace varrow
{

// The name of the page-rendering program. Given ADDRESS_OR_FILE, it writes the address the
// browser reports, a line feed and the body markup to standard output and exits 0; given
// "--inventory --settle SECONDS ADDRESS_OR_FILE", it writes the page's pictures as JSON Lines and
// exits 0. When the page cannot be loaded, or its pictures cannot be listed, it writes the reason
// and exits 1. Given "--save FOLDER --max-bytes N ADDRESS_OR_FILE", it saves the page's pictures
// into FOLDER instead and writes one line per picture (see savePictures), or, when the page
// cannot be loaded or its pictures cannot be listed, the reason, exiting kPageNotLoaded. Stopped
// by SIGINT, SIGTERM or SIGHUP, it leaves no partial file and exits 128 + the signal's number.
inline constexpr const char* kPageLoaderName = "varrow-load-page";
inline constexpr int kPageNotLoaded = 3;

// Where the page-rendering program lies for the program `executable`: beside it (the build tree)
// or in ../libexec/varrow (an installed prefix). Empty when it is in neither place, as in a
// build without the browser engine.
std::filesystem::path findPageLoader(const std::filesystem::path& executable);

// A loader that runs `program` once per page. It throws std::runtime_error with the program's
// reason when the page cannot be loaded, or when the program cannot be run.
PageLoader pageLoaderProcess(const std::filesystem::path& program);

// A lister that runs `program` once per page, with --inventory; it throws as the loader does.
PageInventoryLister pageInventoryProcess(const std::filesystem::path& program);

// Has `program` save every picture of the page `addressOrFile` into `folder`, each of at most
// `maxBytes`, and writes its lines to `out`: "saved<TAB>FILE" for each picture saved,
// "failed<TAB>REASON" (the reason names the address) for each one that was not. Returns 0 when
// every picture was saved, else 1, after naming on `err` the page that could not be loaded or the
// program that could not be run. A stop signal (SIGINT, SIGTERM, SIGHUP) that comes meanwhile is
// passed on to the program, which removes its partial files; then, as when the program itself was
// stopped, it returns 128 + the signal's number.
int savePictures(const std::filesystem::path& program, const std::string& addressOrFile,
                 const std::string& folder, std::int64_t maxBytes, std::ostream& out,
                 std::ostream& err);

} // namespace varrow
