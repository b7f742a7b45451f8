#include "platform/versioninfo/ElfSection.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace varrow
{
namespace
{

constexpr std::array<unsigned char, 4> kElfMagic{0x7f, 'E', 'L', 'F'};
constexpr std::size_t kIdentSize = 16;
constexpr unsigned char kClass32 = 1;
constexpr unsigned char kClass64 = 2;
constexpr unsigned char kLittleEndian = 1;
constexpr unsigned char kBigEndian = 2;
constexpr std::uint32_t kNoBitsSection = 8;      // SHT_NOBITS: occupies no space in the file
constexpr std::uint64_t kExtendedIndex = 0xffff; // SHN_XINDEX: the real index is in section 0

// Where the fields we use sit in the file header and in a section header, per ELF class.
struct Layout {
    std::uint64_t sectionTableOffsetAt, sectionTableOffsetWidth;
    std::uint64_t sectionHeaderSizeAt, sectionCountAt, nameTableIndexAt;
    std::uint64_t minSectionHeaderSize;
    std::uint64_t offsetAt, sizeAt, linkAt, addressWidth; // within a section header
};
constexpr Layout kLayout32{0x20, 4, 0x2e, 0x30, 0x32, 40, 16, 20, 24, 4};
constexpr Layout kLayout64{0x28, 8, 0x3a, 0x3c, 0x3e, 64, 24, 32, 40, 8};

struct Section {
    std::uint64_t nameOffset = 0;
    std::uint64_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t link = 0;
};

// Bounds-checked reads of bytes and numbers at absolute offsets of the file.
class ElfReader
{
public:
    ElfReader(std::istream& file, std::uint64_t fileSize, bool bigEndian)
        : m_file(file), m_fileSize(fileSize), m_bigEndian(bigEndian)
    {
    }

    bool contains(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= m_fileSize && count <= m_fileSize - offset;
    }

    bool read(std::uint64_t offset, char* out, std::uint64_t count)
    {
        if (!contains(offset, count))
            return false;
        m_file.clear();
        m_file.seekg(static_cast<std::streamoff>(offset));
        m_file.read(out, static_cast<std::streamsize>(count));
        return m_file.gcount() == static_cast<std::streamsize>(count);
    }

    std::optional<std::uint64_t> number(std::uint64_t offset, std::uint64_t width)
    {
        std::array<unsigned char, 8> bytes{};
        if (width > bytes.size() || !read(offset, reinterpret_cast<char*>(bytes.data()), width))
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::uint64_t i = 0; i < width; ++i) {
            const unsigned char byte = m_bigEndian ? bytes[i] : bytes[width - 1 - i];
            value = (value << 8) | byte;
        }
        return value;
    }

private:
    std::istream& m_file;
    std::uint64_t m_fileSize;
    bool m_bigEndian;
};

class SectionTable
{
public:
    SectionTable(ElfReader& reader, const Layout& layout) : m_reader(reader), m_layout(layout) {}

    // Reads the table's position from the file header; false when it is not usable.
    bool locate()
    {
        const auto offset =
            m_reader.number(m_layout.sectionTableOffsetAt, m_layout.sectionTableOffsetWidth);
        const auto entrySize = m_reader.number(m_layout.sectionHeaderSizeAt, 2);
        const auto count = m_reader.number(m_layout.sectionCountAt, 2);
        const auto nameTable = m_reader.number(m_layout.nameTableIndexAt, 2);
        if (!offset || !entrySize || !count || !nameTable || *offset == 0 ||
            *entrySize < m_layout.minSectionHeaderSize)
            return false;
        m_offset = *offset;
        m_entrySize = *entrySize;
        m_count = 1; // enough to read section 0, which holds the counts that do not fit
        std::optional<Section> first;
        if (*count == 0 || *nameTable == kExtendedIndex) {
            first = section(0);
            if (!first)
                return false;
        }
        m_count = *count == 0 ? first->size : *count;
        m_nameTable = *nameTable == kExtendedIndex ? first->link : *nameTable;
        return true;
    }

    std::uint64_t count() const { return m_count; }
    std::uint64_t nameTableIndex() const { return m_nameTable; }

    std::optional<Section> section(std::uint64_t index)
    {
        if (index >= m_count || index > (UINT64_MAX - m_offset) / m_entrySize)
            return std::nullopt;
        const std::uint64_t at = m_offset + index * m_entrySize;
        if (!m_reader.contains(at, m_entrySize))
            return std::nullopt;
        const auto nameOffset = m_reader.number(at, 4);
        const auto type = m_reader.number(at + 4, 4);
        const auto offset = m_reader.number(at + m_layout.offsetAt, m_layout.addressWidth);
        const auto size = m_reader.number(at + m_layout.sizeAt, m_layout.addressWidth);
        const auto link = m_reader.number(at + m_layout.linkAt, 4);
        if (!nameOffset || !type || !offset || !size || !link)
            return std::nullopt;
        return Section{*nameOffset, *type, *offset, *size, *link};
    }

private:
    ElfReader& m_reader;
    const Layout& m_layout;
    std::uint64_t m_offset = 0;
    std::uint64_t m_entrySize = 0;
    std::uint64_t m_count = 0;
    std::uint64_t m_nameTable = 0;
};

bool hasFileContent(const ElfReader& reader, const Section& section)
{
    return section.type != kNoBitsSection && reader.contains(section.offset, section.size);
}

// True when the name at `nameOffset` of the section-name table is exactly `name`.
bool nameMatches(ElfReader& reader, const Section& names, std::uint64_t nameOffset,
                 std::string_view name)
{
    if (nameOffset >= names.size || names.size - nameOffset < name.size() + 1)
        return false;
    std::string stored(name.size() + 1, '\0');
    return reader.read(names.offset + nameOffset, stored.data(), stored.size()) &&
           std::string_view(stored.data(), name.size()) == name && stored.back() == '\0';
}

} // namespace

std::optional<std::string> readElfSection(std::istream& file, std::string_view name,
                                          std::size_t maxSize)
{
    file.clear();
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (!file || end < static_cast<std::streamoff>(kIdentSize))
        return std::nullopt;

    std::array<unsigned char, kIdentSize> ident{};
    file.seekg(0);
    file.read(reinterpret_cast<char*>(ident.data()), kIdentSize);
    if (!file || !std::equal(kElfMagic.begin(), kElfMagic.end(), ident.begin()))
        return std::nullopt;
    const unsigned char elfClass = ident[4];
    const unsigned char byteOrder = ident[5];
    if ((elfClass != kClass32 && elfClass != kClass64) ||
        (byteOrder != kLittleEndian && byteOrder != kBigEndian))
        return std::nullopt;

    ElfReader reader(file, static_cast<std::uint64_t>(end), byteOrder == kBigEndian);
    SectionTable table(reader, elfClass == kClass64 ? kLayout64 : kLayout32);
    if (!table.locate())
        return std::nullopt;
    const std::optional<Section> names = table.section(table.nameTableIndex());
    if (!names || !hasFileContent(reader, *names))
        return std::nullopt;

    for (std::uint64_t index = 0; index < table.count(); ++index) {
        const std::optional<Section> section = table.section(index);
        if (!section)
            return std::nullopt;
        if (!nameMatches(reader, *names, section->nameOffset, name))
            continue;
        if (!hasFileContent(reader, *section) || section->size > maxSize)
            return std::nullopt;
        std::string content(static_cast<std::size_t>(section->size), '\0');
        if (!reader.read(section->offset, content.data(), section->size))
            return std::nullopt;
        return content;
    }
    return std::nullopt;
}

} // namespace varrow
