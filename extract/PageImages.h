#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Every picture a page uses, from every place it was found: the live document and the requests
// the page made. Plain C++ on UTF-8 text.
namespace varrow
{

// How a picture was found. The labels are the words of `kFoundLabels`, in this order.
enum class FoundBy : std::uint8_t {
    Img,     // an img element's current or src address
    Srcset,  // a candidate of a srcset attribute
    Picture, // a candidate of a <source> inside <picture>
    Lazy,    // a lazy-loading attribute (data-src, data-srcset, data-original, ...)
    Css,     // a background image: style sheet, style attribute, ::before or ::after
    Linked,  // a link to an image file
    Meta,    // og:image, twitter:image, icons
    Poster,  // a video poster
    Svg,     // an SVG image element
    Frame,   // found inside a frame of the page
    Network, // a picture the page requested
    Data,    // a data: address
};
inline constexpr std::size_t kFoundByCount = 12;
inline constexpr std::array<std::string_view, kFoundByCount> kFoundLabels{
    "img",  "srcset", "picture", "lazy",  "css",     "linked",
    "meta", "poster", "svg",     "frame", "network", "data"};

std::string_view foundLabel(FoundBy how);
// The label's FoundBy, or nothing for a word outside the vocabulary.
std::optional<FoundBy> foundByLabel(std::string_view label);

// A set of FoundBy, iterated in the vocabulary's order.
class FoundSet
{
public:
    void insert(FoundBy how) { m_bits |= bit(how); }
    bool contains(FoundBy how) const { return (m_bits & bit(how)) != 0; }
    bool empty() const { return m_bits == 0; }
    void merge(FoundSet other) { m_bits |= other.m_bits; }
    // The labels in the vocabulary's order.
    std::vector<std::string_view> labels() const;
    bool operator==(const FoundSet&) const = default;

private:
    static std::uint16_t bit(FoundBy how) { return std::uint16_t(1u << unsigned(how)); }
    std::uint16_t m_bits = 0;
};

// One sighting of a picture: where it was seen and what was known about it there. Sizes of 0,
// empty texts and a missing byte count stand for "not known here".
struct ImageSighting {
    std::string url; // absolute address, or a data: or blob: address
    FoundBy how = FoundBy::Img;
    int width = 0; // natural size, where the engine decoded the picture
    int height = 0;
    std::string type; // MIME type
    std::optional<std::int64_t> bytes;
    std::string alt;
    // How many places in the page this sighting stands for: 1 for an element or a rule that uses
    // the picture, 0 for a sighting that is no place of its own (a request the page made, or the
    // capture's list entry for an element that the live document also reports).
    int places = 1;
};

// One distinct picture.
struct PageImage {
    std::string url; // the address as found; data: addresses are whole here
    FoundSet found;
    int width = 0;
    int height = 0;
    std::string type;
    std::optional<std::int64_t> bytes;
    std::string alt;
    int count = 0; // places that use it

    // The address as listed: data: addresses cut to a short form (see shortDataAddress).
    std::string listedUrl() const;
};

// The distinct pictures in first-found order. Sightings of one address merge: their labels
// join, their places add up, and the first known size, type, byte count and alt text stay. A
// data: address also gets the label "data" and its decoded length in bytes; its type is what its
// bytes show, which addFacts gives.
class PageImageInventory
{
public:
    void add(ImageSighting sighting);
    // Gives the picture with this address the MIME type and the byte count that it has none of
    // yet; nothing when no picture has this address.
    void addFacts(std::string_view url, std::string type, std::optional<std::int64_t> bytes);
    const std::vector<PageImage>& images() const { return m_images; }
    // The picture with this address, or null.
    const PageImage* find(std::string_view url) const;
    void clear();

private:
    std::vector<PageImage> m_images;
    std::unordered_map<std::string, std::size_t> m_indexByUrl;
};

// A data: address in short form: the part before the first comma and up to 24 characters after
// it, then "…" and the whole address's length, e.g. "data:image/png;base64,iVBORw0KGgoAAAANSUhE…
// (2310 chars)". Addresses of at most 64 characters stay whole.
std::string shortDataAddress(std::string_view url);

// The MIME type of a data: address ("text/plain" when it names none) and its decoded length;
// nothing for an address that is not data: or has no comma.
struct DataAddressFacts {
    std::string type;
    std::int64_t bytes = 0;
};
std::optional<DataAddressFacts> dataAddressFacts(std::string_view url);

} // namespace varrow
