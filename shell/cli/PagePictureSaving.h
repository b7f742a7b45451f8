#pragma once

#include <cstdint>
#include <string>

// varrow-load-page --save: every picture of one page saved into a folder through the engine.
namespace varrow
{

class StopSignals;

// Opens the page off screen, lists its pictures as --inventory does and saves them all into
// `folder` (never replacing a file, none larger than `maxBytes`), then writes one line per picture
// to standard output in list order, "saved<TAB>FILE" or "failed<TAB>REASON", and ends the event
// loop with 0 when every picture was saved, 1 when any was not, or kPageNotLoaded after writing
// why the page could not be loaded or its pictures listed. A stop signal cancels the save; the run
// then ends, with 128 + the signal's number, once the engine has let go of its downloads and
// their partial files are removed.
void savePagePictures(const std::string& addressOrFile, const std::string& folder,
                      std::int64_t maxBytes, StopSignals& stops);

} // namespace varrow
