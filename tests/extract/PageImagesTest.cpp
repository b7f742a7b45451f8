#include "extract/PageImages.h"

#include "extract/PageImageExport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace varrow
{
namespace
{

ImageSighting sighting(std::string url, FoundBy how, int places = 1)
{
    ImageSighting seen;
    seen.url = std::move(url);
    seen.how = how;
    seen.places = places;
    return seen;
}

TEST(PageImageInventory, MergesSightingsOfOneAddressInFirstFoundOrder)
{
    PageImageInventory inventory;
    inventory.add(sighting("http://a/1.png", FoundBy::Img));
    ImageSighting sized = sighting("http://a/2.png", FoundBy::Network, 0);
    sized.width = 40;
    sized.height = 30;
    sized.type = "image/png";
    sized.bytes = 1200;
    inventory.add(sized);
    ImageSighting described = sighting("http://a/1.png", FoundBy::Srcset);
    described.alt = "first alt";
    described.width = 10;
    described.height = 5;
    inventory.add(described);
    ImageSighting later = sighting("http://a/1.png", FoundBy::Linked);
    later.alt = "second alt";
    later.width = 99;
    later.height = 99;
    inventory.add(later);
    inventory.add(sighting("http://a/2.png", FoundBy::Img));

    ASSERT_EQ(inventory.images().size(), 2u);
    const PageImage& first = inventory.images()[0];
    EXPECT_EQ(first.url, "http://a/1.png");
    EXPECT_EQ(first.found.labels(), (std::vector<std::string_view>{"img", "srcset", "linked"}));
    EXPECT_EQ(first.count, 3);
    EXPECT_EQ(first.alt, "first alt");
    EXPECT_EQ(first.width, 10);
    EXPECT_EQ(first.height, 5);
    EXPECT_FALSE(first.bytes);

    const PageImage* second = inventory.find("http://a/2.png");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->found.labels(), (std::vector<std::string_view>{"img", "network"}));
    EXPECT_EQ(second->count, 1); // the request is no place of its own
    EXPECT_EQ(second->type, "image/png");
    EXPECT_EQ(second->bytes, 1200);
    EXPECT_EQ(inventory.find("http://a/3.png"), nullptr);

    // Facts learnt afterwards fill what no sighting gave, and add no picture.
    inventory.addFacts("http://a/1.png", "image/gif", 77);
    inventory.addFacts("http://a/2.png", "image/jpeg", 5);
    inventory.addFacts("http://a/3.png", "image/png", 9);
    EXPECT_EQ(first.type, "image/gif");
    EXPECT_EQ(first.bytes, 77);
    EXPECT_EQ(second->type, "image/png");
    EXPECT_EQ(second->bytes, 1200);
    EXPECT_EQ(inventory.images().size(), 2u);
}

TEST(PageImageInventory, DataAddressesCarryTheirLabelAndDecodedLengthAndNameTheirType)
{
    struct Case {
        std::string url;
        std::string type;
        std::int64_t bytes;
    };
    const Case cases[] = {
        {"data:image/png;base64,iVBORw0KGgo=", "image/png", 8},
        {"data:IMAGE/GIF;BASE64,R0lG ODlh", "image/gif", 6},
        {"data:image/svg+xml,%3Csvg%3E%3C/svg%3E", "image/svg+xml", 11},
        {"data:,plain", "text/plain", 5},
    };
    for (const Case& c : cases) {
        PageImageInventory inventory;
        inventory.add(sighting(c.url, FoundBy::Img));
        const PageImage& image = inventory.images().at(0);
        EXPECT_TRUE(image.found.contains(FoundBy::Data)) << c.url;
        EXPECT_EQ(image.type, "") << c.url; // until its bytes are looked at
        EXPECT_EQ(dataAddressFacts(c.url)->type, c.type) << c.url;
        EXPECT_EQ(image.bytes, c.bytes) << c.url;
    }
    EXPECT_FALSE(dataAddressFacts("http://a/data:,x"));
    EXPECT_FALSE(dataAddressFacts("data:image/png"));
}

TEST(PageImageInventory, LongDataAddressesAreListedShortButKeptWhole)
{
    const std::string payload(3000, 'A');
    const std::string url = "data:image/png;base64," + payload;
    PageImageInventory inventory;
    inventory.add(sighting(url, FoundBy::Css));
    EXPECT_EQ(inventory.images()[0].url, url);
    EXPECT_EQ(inventory.images()[0].listedUrl(),
              "data:image/png;base64," + std::string(24, 'A') + "\xE2\x80\xA6 (3022 chars)");
    EXPECT_EQ(shortDataAddress("data:,short"), "data:,short");
    const std::string longWebAddress = "http://a/" + payload;
    EXPECT_EQ(shortDataAddress(longWebAddress), longWebAddress);
}

TEST(PageImageExport, JsonLinesHaveExactlyTheListedKeysInOrder)
{
    PageImage image;
    image.url = "http://a/\"quoted\".png";
    image.found.insert(FoundBy::Lazy);
    image.found.insert(FoundBy::Img);
    image.alt = "line\nbreak \xFF";
    image.count = 2;
    const std::string line = imageJsonLine(image);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const auto object = nlohmann::ordered_json::parse(line);
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"url", "found", "width", "height", "type", "bytes",
                                              "alt", "count"}));
    EXPECT_EQ(object["url"], "http://a/\"quoted\".png");
    EXPECT_EQ(object["found"], (nlohmann::json{"img", "lazy"}));
    EXPECT_TRUE(object["bytes"].is_null());
    EXPECT_EQ(object["alt"], "line\nbreak \xEF\xBF\xBD");
    EXPECT_EQ(object["count"], 2);
}

TEST(PageImageExport, CsvQuotesFieldsThatNeedIt)
{
    PageImage plain;
    plain.url = "http://a/1.png";
    plain.found.insert(FoundBy::Img);
    plain.found.insert(FoundBy::Network);
    plain.width = 3;
    plain.height = 4;
    plain.type = "image/png";
    plain.bytes = 99;
    plain.count = 1;
    PageImage awkward;
    awkward.url = "http://a/w_424,c_limit/pic.png";
    awkward.found.insert(FoundBy::Srcset);
    awkward.alt = "say \"hi\"\r\nthere";
    EXPECT_EQ(imagesCsv({plain, awkward}),
              "url,found,width,height,type,bytes,alt,count\r\n"
              "http://a/1.png,img network,3,4,image/png,99,,1\r\n"
              "\"http://a/w_424,c_limit/pic.png\",srcset,0,0,,,\"say \"\"hi\"\"\r\nthere\",0\r\n");
}

TEST(FoundLabels, RoundTripEveryWordOfTheVocabulary)
{
    for (std::size_t i = 0; i < kFoundByCount; ++i)
        EXPECT_EQ(foundByLabel(foundLabel(FoundBy(i))), FoundBy(i));
    EXPECT_FALSE(foundByLabel("IMG"));
    EXPECT_FALSE(foundByLabel("background"));
}

} // namespace
} // namespace varrow
