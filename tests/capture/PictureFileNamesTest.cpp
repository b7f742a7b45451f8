#include "capture/PictureFileNames.h"

#include <cctype>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace varrow
{
namespace
{

struct NameCase {
    const char* what;
    std::string address;
    std::string type;
    std::string expected;
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.what;
}

// "reserved name in lower case" -> "ReservedNameInLowerCase"
std::string testName(std::string_view what)
{
    std::string name;
    bool wordStart = true;
    for (const char c : what) {
        const bool letter = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (letter)
            name += wordStart ? char(std::toupper(static_cast<unsigned char>(c))) : c;
        wordStart = !letter;
    }
    return name;
}

class PictureFileNameTest : public ::testing::TestWithParam<NameCase>
{
};

TEST_P(PictureFileNameTest, NamesThePicture)
{
    EXPECT_EQ(pictureFileName(GetParam().address, GetParam().type), GetParam().expected);
}

const std::string kLongStem(1000, 'a');

INSTANTIATE_TEST_SUITE_P(
    Addresses, PictureFileNameTest,
    ::testing::Values(
        NameCase{"last segment", "https://h.test/a/b/photo.jpg", "", "photo.jpg"},
        NameCase{"query and fragment dropped", "https://h.test/p/photo.png?w=400&x=/y.gif#top",
                 "image/png", "photo.png"},
        NameCase{"percent-decoded", "https://h.test/caf%C3%A9%20au%20lait.png", "",
                 "café au lait.png"},
        NameCase{"encoded separators stay in the name", "https://h.test/..%2F..%2Fescape.png", "",
                 "_._escape.png"},
        NameCase{"encoded backslash", "https://h.test/a%5Cb.png", "", "a_b.png"},
        NameCase{"dot segments", "https://h.test/..", "image/gif", "picture.gif"},
        NameCase{"leading dots", "https://h.test/...hidden.png", "", "hidden.png"},
        NameCase{"trailing dots and spaces", "https://h.test/photo.png.%20.%20", "", "photo.png"},
        NameCase{"reserved name", "https://h.test/CON.png", "", "_CON.png"},
        NameCase{"reserved name in lower case with two extensions", "https://h.test/lpt9.tar.png",
                 "", "_lpt9.tar.png"},
        NameCase{"reserved name with a space before the extension", "https://h.test/aux%20.png", "",
                 "_aux .png"},
        NameCase{"reserved name with a superscript digit", "https://h.test/COM%C2%B9.png", "",
                 "_COM\u00B9.png"},
        NameCase{"not reserved: longer word", "https://h.test/CONSOLE.png", "", "CONSOLE.png"},
        NameCase{"not reserved: COM0", "https://h.test/COM0.png", "", "COM0.png"},
        NameCase{"control characters", "https://h.test/a%00b%0Ac%1Fd%7Fe%C2%85f.png", "",
                 "a_b_c_d_e_f.png"},
        NameCase{"bidirectional override", "https://h.test/evil%E2%80%AEgnp.exe", "image/png",
                 "evil_gnp.exe.png"},
        NameCase{"characters Windows refuses", "https://h.test/a%3Cb%3Ec%3Ad%22e%7Cf%3Fg%2Ah.png",
                 "", "a_b_c_d_e_f_g_h.png"},
        NameCase{"invalid UTF-8", "https://h.test/a%FFb%C3.png", "", "a_b_.png"},
        NameCase{"overlong UTF-8 slash", "https://h.test/a%C0%AFb.png", "", "a__b.png"},
        NameCase{"no extension gets the type's", "https://h.test/photos/12345", "image/jpeg",
                 "12345.jpg"},
        NameCase{"type with parameters and capitals", "https://h.test/logo",
                 "Image/SVG+XML; charset=utf-8", "logo.svg"},
        NameCase{"a script's extension gets the picture's", "https://h.test/image.php?id=3",
                 "image/webp", "image.php.webp"},
        NameCase{"a picture extension stays whatever the type", "https://h.test/photo.PNG",
                 "image/webp", "photo.PNG"},
        NameCase{"unknown type adds nothing", "https://h.test/photos/12345",
                 "application/octet-stream", "12345"},
        NameCase{"folder address", "https://h.test/gallery/", "image/png", "picture.png"},
        NameCase{"host only", "https://h.test", "", "picture"},
        NameCase{"host only with a query", "https://h.test?img=a/b.png", "image/png",
                 "picture.png"},
        NameCase{"data address takes its own type", "data:image/png;base64,iVBORw0KGgo=", "",
                 "picture.png"},
        NameCase{"data address without type", "data:,hello", "", "picture"},
        NameCase{"data address of an SVG with slashes",
                 "data:image/svg+xml,%3Csvg xmlns='http://www.w3.org/2000/svg'/%3E", "",
                 "picture.svg"},
        NameCase{"blob address takes the served type", "blob:https://h.test/0d5e-4c1f-9b4a",
                 "image/gif", "picture.gif"},
        NameCase{"local file", "file:///home/me/My%20Pictures/cat.bmp", "", "cat.bmp"},
        NameCase{"long name cut, extension kept", "https://h.test/" + kLongStem + ".jpeg", "",
                 std::string(kMaxFileNameBytes - 5, 'a') + ".jpeg"}),
    [](const ::testing::TestParamInfo<NameCase>& instance) {
        return testName(instance.param.what);
    });

TEST(SafeFileName, CutsLongNamesAtACharacterBoundary)
{
    std::string name;
    for (int i = 0; i < 300; ++i)
        name += "\u20AC"; // three bytes each
    std::string expected;
    for (std::size_t i = 0; i < (kMaxFileNameBytes - 4) / 3; ++i)
        expected += "\u20AC";
    EXPECT_EQ(safeFileName(name + ".png"), expected + ".png");
}

TEST(SafeFileName, CutNamesStaySafe)
{
    // The cut lands in spaces after a reserved word, or leaves a trailing dot.
    const std::string reserved = "CON" + std::string(400, ' ') + "x";
    EXPECT_EQ(safeFileName(reserved), "_CON");
    const std::string dotted =
        std::string(kMaxFileNameBytes - 1, 'a') + ".bcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(safeFileName(dotted), std::string(kMaxFileNameBytes - 1, 'a'));
}

TEST(SafeFileName, LongExtensionIsCutWithTheName)
{
    const std::string name = "a." + std::string(500, 'b');
    const std::string safe = safeFileName(name);
    EXPECT_EQ(safe.size(), kMaxFileNameBytes);
    EXPECT_EQ(safe.substr(0, 3), "a.b");
}

TEST(SafeFileName, NothingLeftGivesTheDefaultName)
{
    for (const char* name : {"", ".", "..", " . . ", "..."})
        EXPECT_EQ(safeFileName(name), kDefaultPictureName) << '"' << name << '"';
}

struct NumberCase {
    std::string name;
    int number;
    std::string expected;
};

TEST(NumberedFileName, GoesBeforeTheExtension)
{
    const NumberCase cases[] = {
        {"name.png", 1, "name.png"},       {"name.png", 2, "name (2).png"},
        {"name.png", 10, "name (10).png"}, {"name", 3, "name (3)"},
        {"a.tar.gz", 2, "a.tar (2).gz"},   {"_CON.png", 2, "_CON (2).png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberedFileName(c.name, c.number), c.expected) << c.name << " " << c.number;
    const std::string longest = safeFileName(std::string(600, 'z') + ".webp");
    EXPECT_LE(numberedFileName(longest, kMaxFileNameNumber).size(), 255u);
}

TEST(FreeFileName, TakesTheFirstNameNotTaken)
{
    std::set<std::string> taken{"name.png", "name (2).png", "name (4).png"};
    const auto isTaken = [&](const std::string& name) { return taken.count(name) > 0; };
    EXPECT_EQ(freeFileName("other.png", isTaken), "other.png");
    EXPECT_EQ(freeFileName("name.png", isTaken), "name (3).png");
    taken.insert("name (3).png");
    EXPECT_EQ(freeFileName("name.png", isTaken), "name (5).png");
    EXPECT_EQ(freeFileName("name.png", [](const std::string&) { return true; }), "");
}

TEST(ExtensionForType, KnowsThePictureTypes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"image/png", ".png"},    {"image/jpeg", ".jpg"},
        {"IMAGE/GIF", ".gif"},    {"image/webp", ".webp"},
        {"image/avif", ".avif"},  {"image/svg+xml", ".svg"},
        {"image/x-icon", ".ico"}, {" image/bmp ; q=1", ".bmp"},
        {"text/html", ""},        {"", ""},
    };
    for (const auto& [type, extension] : cases)
        EXPECT_EQ(extensionForType(type), extension) << type;
}

} // namespace
} // namespace varrow
