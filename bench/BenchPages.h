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

// Every one of `pages`, read in order and put together `copies` times, as one body: a page that
// holds many real pages.
std::string manyPagesPage(const std::vector<std::filesystem::path>& pages, int copies);

} // namespace varrow::bench
