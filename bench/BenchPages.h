#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The pages the capture bench runs on besides the corpus's own.
namespace varrow::bench
{

// A web server's listing of a photo directory: one table row per image file.
std::string directoryListing(int entries);

// A gallery page: every image distinct, each in a figure with a caption.
std::string galleryPage(int entries);

// About `bytes` of images named "0", "00", "000", ...: each name occurs inside every longer one,
// so the names occur about as often as the page's length times their number.
std::string nestedNamesPage(std::size_t bytes);

// Every one of `pages`, read in order and put together `copies` times, as one body: a page that
// holds many real pages.
std::string manyPagesPage(const std::vector<std::filesystem::path>& pages, int copies);

} // namespace varrow::bench
