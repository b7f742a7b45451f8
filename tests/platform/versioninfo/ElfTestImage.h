#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varrow::test
{

// A section of a hand-made ELF image. Type 1 is SHT_PROGBITS, 8 is SHT_NOBITS.
struct TestSection {
    std::string name;
    std::string content;
    std::uint32_t type = 1;
};

struct ElfShape {
    bool is64 = true;
    bool bigEndian = false;
    // Section count and name-table index kept in section 0, as for very many sections.
    bool extendedNumbering = false;
};

// A minimal ELF image: file header, section contents, the section-name table, then the section
// header table (null section, the given sections, then ".shstrtab").
struct ElfImage {
    std::string bytes;
    bool is64 = true;
    bool bigEndian = false;
    std::uint64_t sectionTableOffset = 0;

    std::uint64_t sectionHeaderSize() const { return is64 ? 64 : 40; }
    std::uint64_t sectionHeaderAt(std::uint64_t index) const
    {
        return sectionTableOffset + index * sectionHeaderSize();
    }
    // Overwrites a number of `width` bytes at `offset` in the image's byte order.
    void put(std::uint64_t offset, int width, std::uint64_t value);
};

ElfImage makeElfImage(const std::vector<TestSection>& sections, ElfShape shape = {});

} // namespace varrow::test
