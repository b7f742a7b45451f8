#pragma once

#include <string>

// varrow-load-page --save: every picture of one page saved into a folder through the engine.
namespace varrow
{

// Opens the page off screen, lists its pictures as --inventory does and saves them all into
// `folder` (never replacing a file), then writes one line per picture to standard output in list
// order, "saved<TAB>FILE" or "failed<TAB>REASON", and ends the event loop with 0 when every
// picture was saved, 1 when any was not, or kPageNotLoaded after writing why the page could not
// be loaded.
void savePagePictures(const std::string& addressOrFile, const std::string& folder);

} // namespace varrow
