#include "platform/versioninfo/ElfSection.h"

#include "ElfTestImage.h"

#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace varrow
{
namespace
{

using test::ElfImage;
using test::ElfShape;
using test::makeElfImage;
using test::TestSection;

constexpr std::size_t kMaxSize = 4096;
const std::string kName = ".varrow_version";
const std::string kText = "ProductName=Varrow\nFileVersion=1.0\n";

std::optional<std::string> sectionOf(const std::string& bytes, const std::string& name = kName)
{
    std::istringstream stream(bytes);
    return readElfSection(stream, name, kMaxSize);
}

ElfImage imageWithVersion(ElfShape shape = {})
{
    return makeElfImage({{".text", "\x90\x90\xc3"}, {".comment", "GCC"}, {kName, kText}}, shape);
}

class ElfShapes : public testing::TestWithParam<ElfShape>
{
};

TEST_P(ElfShapes, FindsTheSectionByName)
{
    const ElfImage image = imageWithVersion(GetParam());
    EXPECT_EQ(sectionOf(image.bytes), kText);
    EXPECT_EQ(sectionOf(image.bytes, ".comment"), "GCC");
    EXPECT_EQ(sectionOf(image.bytes, ".data"), std::nullopt);
}

TEST_P(ElfShapes, EveryTruncationGivesNothing)
{
    const ElfImage image = imageWithVersion(GetParam());
    for (std::size_t length = 0; length < image.bytes.size(); ++length)
        EXPECT_EQ(sectionOf(image.bytes.substr(0, length)), std::nullopt) << "length " << length;
}

INSTANTIATE_TEST_SUITE_P(ClassesAndByteOrders, ElfShapes,
                         testing::Values(ElfShape{true, false}, ElfShape{true, true},
                                         ElfShape{false, false}, ElfShape{false, true},
                                         ElfShape{true, false, true}, ElfShape{false, true, true}),
                         [](const auto& testInfo) {
                             const ElfShape& shape = testInfo.param;
                             return std::string(shape.is64 ? "Elf64" : "Elf32") +
                                    (shape.bigEndian ? "Big" : "Little") +
                                    (shape.extendedNumbering ? "Extended" : "");
                         });

TEST(ElfSection, NamesMatchExactlyAndTheFirstMatchCounts)
{
    const ElfImage image = makeElfImage({{".varrow", "prefix"},
                                         {".varrow_version_old", "longer"},
                                         {kName, "first"},
                                         {kName, "second"}});
    EXPECT_EQ(sectionOf(image.bytes), "first");
}

TEST(ElfSection, SectionsWithoutUsableContentGiveNothing)
{
    EXPECT_EQ(sectionOf(makeElfImage({{kName, "", 8}}).bytes), std::nullopt) << "no file content";
    EXPECT_EQ(sectionOf(makeElfImage({{kName, ""}}).bytes), "") << "empty content";
    const std::string large(kMaxSize + 1, 'x');
    EXPECT_EQ(sectionOf(makeElfImage({{kName, large}}).bytes), std::nullopt) << "above maximum";
    EXPECT_EQ(sectionOf(makeElfImage({{kName, large.substr(1)}}).bytes), large.substr(1));
}

// Each case damages one field of a valid 64-bit little-endian image.
TEST(ElfSection, DamagedStructuresGiveNothing)
{
    const ElfImage valid = imageWithVersion();
    const std::uint64_t versionHeader = valid.sectionHeaderAt(3);
    const std::uint64_t namesHeader = valid.sectionHeaderAt(4);
    struct Damage {
        const char* what;
        std::uint64_t at;
        int width;
        std::uint64_t value;
    };
    const Damage damages[] = {
        {"no section table", 0x28, 8, 0},
        {"section table beyond the file", 0x28, 8, valid.bytes.size()},
        {"section table offset near the top", 0x28, 8, ~std::uint64_t{0} - 8},
        {"section headers too small", 0x3a, 2, 32},
        {"name table index out of range", 0x3e, 2, 5},
        {"name table beyond the file", namesHeader + 24, 8, valid.bytes.size() + 1},
        {"name table size wraps around", namesHeader + 32, 8, ~std::uint64_t{0}},
        {"name outside the name table", versionHeader, 4, 0xfffffff0},
        {"content beyond the file", versionHeader + 24, 8, valid.bytes.size() - 2},
        {"content size wraps around", versionHeader + 32, 8, ~std::uint64_t{0} - 1},
        {"unknown class", 4, 1, 3},
        {"unknown byte order", 5, 1, 0},
    };
    for (const Damage& damage : damages) {
        ElfImage image = valid;
        image.put(damage.at, damage.width, damage.value);
        EXPECT_EQ(sectionOf(image.bytes), std::nullopt) << damage.what;
    }
}

TEST(ElfSection, GarbageNeverReadsOutOfBounds)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    const ElfImage valid = imageWithVersion();
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        if (round % 2 == 0) {
            // Random bytes after a valid identification, so the header fields are garbage.
            bytes = valid.bytes.substr(0, 6);
            bytes.resize(6 + static_cast<std::size_t>(round % 400));
            for (std::size_t i = 6; i < bytes.size(); ++i)
                bytes[i] = static_cast<char>(byte(random));
        } else {
            // A valid image with a few bytes changed anywhere.
            bytes = valid.bytes;
            for (int flips = 0; flips < 1 + round % 8; ++flips)
                bytes[random() % bytes.size()] = static_cast<char>(byte(random));
        }
        const std::optional<std::string> section = sectionOf(bytes);
        if (section) {
            EXPECT_LE(section->size(), bytes.size());
        }
    }
}

} // namespace
} // namespace varrow
