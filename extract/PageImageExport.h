#pragma once

#include "extract/PageImages.h"

#include <string>
#include <vector>

// The inventory as text for other programs: JSON Lines and CSV.
namespace varrow
{

// One picture as one JSON object on one line, without the line feed, with exactly the keys url,
// found (the labels, in the vocabulary's order), width, height, type, bytes (null when not
// known), alt and count. data: addresses are given in their short form.
std::string imageJsonLine(const PageImage& image);

// The pictures as CSV (RFC 4180: CR LF line ends, fields with commas, quotes or line breaks
// quoted): a header line with the JSON keys, then one line per picture, the labels joined by
// spaces and an unknown byte count left empty.
std::string imagesCsv(const std::vector<PageImage>& images);

} // namespace varrow
