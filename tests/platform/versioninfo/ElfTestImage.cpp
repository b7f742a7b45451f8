#include "ElfTestImage.h"

namespace varrow::test
{

void ElfImage::put(std::uint64_t offset, int width, std::uint64_t value)
{
    if (bytes.size() < offset + static_cast<std::uint64_t>(width))
        bytes.resize(offset + static_cast<std::uint64_t>(width), '\0');
    for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        bytes[offset + static_cast<std::uint64_t>(i)] = static_cast<char>((value >> shift) & 0xff);
    }
}

ElfImage makeElfImage(const std::vector<TestSection>& sections, ElfShape shape)
{
    ElfImage image;
    image.is64 = shape.is64;
    image.bigEndian = shape.bigEndian;
    const int address = shape.is64 ? 8 : 4;
    const std::uint64_t headerSize = shape.is64 ? 64 : 52;

    image.bytes = std::string("\x7f"
                              "ELF",
                              4);
    image.bytes += static_cast<char>(shape.is64 ? 2 : 1);
    image.bytes += static_cast<char>(shape.bigEndian ? 2 : 1);
    image.bytes += '\1';
    image.bytes.resize(headerSize, '\0');

    std::vector<std::uint64_t> contentOffsets;
    std::string names(1, '\0');
    std::vector<std::uint64_t> nameOffsets;
    for (const TestSection& section : sections) {
        contentOffsets.push_back(image.bytes.size());
        if (section.type != 8)
            image.bytes += section.content;
        nameOffsets.push_back(names.size());
        names += section.name + '\0';
    }
    const std::uint64_t namesNameOffset = names.size();
    names += std::string(".shstrtab") + '\0';
    const std::uint64_t namesOffset = image.bytes.size();
    image.bytes += names;

    const std::uint64_t count = sections.size() + 2;
    const std::uint64_t nameTableIndex = count - 1;
    image.sectionTableOffset = image.bytes.size();
    image.bytes.resize(image.sectionTableOffset + count * image.sectionHeaderSize(), '\0');

    const std::uint64_t shoffAt = shape.is64 ? 0x28 : 0x20;
    const std::uint64_t fieldsAt = shape.is64 ? 0x3a : 0x2e;
    image.put(shoffAt, address, image.sectionTableOffset);
    image.put(fieldsAt, 2, image.sectionHeaderSize());
    image.put(fieldsAt + 2, 2, shape.extendedNumbering ? 0 : count);
    image.put(fieldsAt + 4, 2, shape.extendedNumbering ? 0xffff : nameTableIndex);

    const std::uint64_t offsetAt = shape.is64 ? 24 : 16;
    const std::uint64_t sizeAt = shape.is64 ? 32 : 20;
    const std::uint64_t linkAt = shape.is64 ? 40 : 24;
    auto writeHeader = [&](std::uint64_t index, std::uint64_t name, std::uint64_t type,
                           std::uint64_t offset, std::uint64_t size) {
        const std::uint64_t at = image.sectionHeaderAt(index);
        image.put(at, 4, name);
        image.put(at + 4, 4, type);
        image.put(at + offsetAt, address, offset);
        image.put(at + sizeAt, address, size);
    };
    if (shape.extendedNumbering) {
        writeHeader(0, 0, 0, 0, count);
        image.put(image.sectionHeaderAt(0) + linkAt, 4, nameTableIndex);
    }
    for (std::size_t i = 0; i < sections.size(); ++i)
        writeHeader(i + 1, nameOffsets[i], sections[i].type, contentOffsets[i],
                    sections[i].content.size());
    writeHeader(nameTableIndex, namesNameOffset, 3, namesOffset, names.size());
    return image;
}

} // namespace varrow::test
