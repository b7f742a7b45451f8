#pragma once

#include "capture/cli/CaptureCommand.h"

#include <filesystem>

// varrow-capture renders pages (--load) through a separate program that links the browser
// engine, so that a capture of a file never starts the engine, nor even loads its libraries.
namespace varrow
{

// The name of the page-rendering program. Given ADDRESS_OR_FILE, it writes the address the
// browser reports, a line feed and the body markup to standard output and exits 0; given
// "--inventory --settle SECONDS ADDRESS_OR_FILE", it writes the page's pictures as JSON Lines and
// exits 0. When the page cannot be loaded it writes the reason and exits 1.
inline constexpr const char* kPageLoaderName = "varrow-load-page";

// Where the page-rendering program lies for the program `executable`: beside it (the build tree)
// or in ../libexec/varrow (an installed prefix). Empty when it is in neither place, as in a
// build without the browser engine.
std::filesystem::path findPageLoader(const std::filesystem::path& executable);

// A loader that runs `program` once per page. It throws std::runtime_error with the program's
// reason when the page cannot be loaded, or when the program cannot be run.
PageLoader pageLoaderProcess(const std::filesystem::path& program);

// A lister that runs `program` once per page, with --inventory; it throws as the loader does.
PageInventoryLister pageInventoryProcess(const std::filesystem::path& program);

} // namespace varrow
