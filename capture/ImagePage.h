#pragma once

#include "extract/ImageLists.h"

#include <filesystem>
#include <string>

namespace varrow
{

// The gallery shown in the Images tab: for every embedded image, in list order, a link to the
// image that shows the image, then its address as listed and three line breaks. An address
// without a scheme of its own gets "http://" in front.
std::string BuildImagePage(const ImageLists& lists);

// Writes the gallery to `path`, replacing it only once the page is complete. Throws FileError.
void WriteImagePage(const std::filesystem::path& path, const ImageLists& lists);

} // namespace varrow
