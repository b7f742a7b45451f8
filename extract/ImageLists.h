#pragma once

#include <array>
#include <string>
#include <unordered_set>
#include <vector>

namespace varrow
{

// One image a capture found: the file name its link in the source page shows, and the address
// that name stands for.
struct FoundImage {
    std::string name;
    std::string address;

    bool operator==(const FoundImage&) const = default;
};

// The images of one kind a capture found, in the order of the markup, each file name once.
class ImageList
{
public:
    // Adds the image unless one of the same name is listed already: the first address found
    // for a name is the one its links go to. Tells whether it was added.
    bool add(std::string name, std::string address);

    bool contains(const std::string& name) const { return m_names.contains(name); }
    const std::vector<FoundImage>& entries() const { return m_entries; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    bool operator==(const ImageList& other) const { return m_entries == other.m_entries; }

private:
    std::vector<FoundImage> m_entries;
    std::unordered_set<std::string> m_names;
};

// What a capture found, carried from the scanners to the page writers: the images the page
// links to and those it shows.
class ImageLists
{
public:
    static constexpr std::size_t kLinkedImages = 0;
    static constexpr std::size_t kEmbeddedImages = 1;

    ImageList& operator[](std::size_t kind) { return m_lists.at(kind); }
    const ImageList& operator[](std::size_t kind) const { return m_lists.at(kind); }

    void clear() { m_lists = {}; }

    bool operator==(const ImageLists&) const = default;

private:
    std::array<ImageList, 2> m_lists;
};

} // namespace varrow
