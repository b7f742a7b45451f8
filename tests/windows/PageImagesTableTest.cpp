// The Page Images table: the rows its filters let through and the order of each column's sort.
#include "windows/PageImagesFilter.h"
#include "windows/PageImagesModel.h"
#include "windows/ThumbnailLoader.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace varrow
{
namespace
{

PageImage picture(std::string url, int width, int height, std::string type,
                  std::optional<std::int64_t> bytes, int count, std::string alt = {})
{
    PageImage image;
    image.url = std::move(url);
    image.found.insert(FoundBy::Img);
    image.width = width;
    image.height = height;
    image.type = std::move(type);
    image.bytes = bytes;
    image.count = count;
    image.alt = std::move(alt);
    return image;
}

// Pictures whose every numeric column sorts differently as numbers and as text.
std::vector<PageImage> pictures()
{
    return {
        picture("http://127.0.0.1/b/wide.png", 1000, 20, "image/png", 900, 2, "Wide"),
        picture("http://127.0.0.1/a/tall.JPG", 90, 300, "image/jpeg", 10000, 10, "tall"),
        picture("http://127.0.0.1/c/square.gif", 200, 200, "image/gif", std::nullopt, 1),
        picture("http://127.0.0.1/d/unknown.webp", 0, 0, "", 80, 3),
        picture("data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42m"
                "NkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg==",
                1, 1, "image/png", 70, 1),
    };
}

// The base names (or "data") of the rows shown, in order.
QStringList shownNames(const PageImagesFilter& shown)
{
    QStringList names;
    for (int row = 0; row < shown.rowCount(); ++row) {
        const QString url = shown.index(row, 0).data(PageImagesModel::kUrlRole).toString();
        names += url.startsWith("data:") ? "data" : url.section('/', -1).section('.', 0, 0);
    }
    return names;
}

class PageImagesTableTest : public ::testing::Test
{
protected:
    void SetUp() override { model.setImages(pictures()); }

    ThumbnailLoader thumbnails;
    PageImagesModel model{thumbnails};
    PageImagesFilter shown{model};
};

struct SortCase {
    const char* name;
    int column;
    Qt::SortOrder order;
    QStringList expected;
};

TEST_F(PageImagesTableTest, EachColumnSortsByItsValueNumbersAsNumbers)
{
    const SortCase cases[] = {
        {"address, ignoring case",
         PageImagesModel::Address,
         Qt::AscendingOrder,
         {"data", "tall", "wide", "square", "unknown"}},
        {"type, unknown first",
         PageImagesModel::Type,
         Qt::AscendingOrder,
         {"unknown", "square", "tall", "wide", "data"}},
        {"size by area",
         PageImagesModel::Size,
         Qt::AscendingOrder,
         {"unknown", "data", "wide", "tall", "square"}},
        {"size by area, descending",
         PageImagesModel::Size,
         Qt::DescendingOrder,
         {"square", "tall", "wide", "data", "unknown"}},
        {"bytes, unknown first",
         PageImagesModel::Bytes,
         Qt::AscendingOrder,
         {"square", "data", "unknown", "wide", "tall"}},
        {"count",
         PageImagesModel::Count,
         Qt::AscendingOrder,
         {"square", "data", "wide", "unknown", "tall"}},
        {"alt text, ignoring case",
         PageImagesModel::Alt,
         Qt::AscendingOrder,
         {"square", "unknown", "data", "tall", "wide"}},
    };
    for (const SortCase& sorted : cases) {
        shown.sort(-1); // equal keys keep the order they had before
        shown.sort(sorted.column, sorted.order);
        EXPECT_EQ(shownNames(shown), sorted.expected)
            << sorted.name << ": " << shownNames(shown).join(" ").toStdString();
    }
}

TEST_F(PageImagesTableTest, UnsortedRowsKeepFirstFoundOrder)
{
    EXPECT_EQ(shownNames(shown), (QStringList{"wide", "tall", "square", "unknown", "data"}));
}

struct FilterCase {
    const char* name;
    int minimumWidth;
    int minimumHeight;
    QString type;
    QString pattern;
    bool regular;
    bool valid;
    QStringList expected;
};

TEST_F(PageImagesTableTest, FiltersLetThroughOnlyMatchingRows)
{
    const QStringList all{"wide", "tall", "square", "unknown", "data"};
    const FilterCase cases[] = {
        {"nothing set", 0, 0, {}, {}, false, true, all},
        {"minimum width", 100, 0, {}, {}, false, true, {"wide", "square"}},
        {"minimum height", 0, 100, {}, {}, false, true, {"tall", "square"}},
        {"both minimums", 100, 100, {}, {}, false, true, {"square"}},
        {"type", 0, 0, "image/png", {}, false, true, {"wide", "data"}},
        {"text ignores case", 0, 0, {}, "TALL.jpg", false, true, {"tall"}},
        {"text is no expression", 0, 0, {}, ".png", false, true, {"wide"}},
        {"text matches the listed data address", 0, 0, {}, "chars)", false, true, {"data"}},
        {"regular expression", 0, 0, {}, "/[ab]/", true, true, {"wide", "tall"}},
        {"regular expression ignores case", 0, 0, {}, "\\.jpg$", true, true, {"tall"}},
        {"invalid expression filters nothing out", 0, 0, {}, "(unclosed", true, false, all},
        {"type and text together", 0, 0, "image/png", "wide", false, true, {"wide"}},
    };
    for (const FilterCase& filter : cases) {
        shown.setMinimumSize(filter.minimumWidth, filter.minimumHeight);
        shown.setType(filter.type);
        EXPECT_EQ(shown.setAddressPattern(filter.pattern, filter.regular), filter.valid)
            << filter.name;
        EXPECT_EQ(shownNames(shown), filter.expected)
            << filter.name << ": " << shownNames(shown).join(" ").toStdString();
    }
}

TEST_F(PageImagesTableTest, CellsShowWhatPeopleRead)
{
    const auto cell = [this](int row, int column) {
        return model.index(row, column).data().toString();
    };
    EXPECT_EQ(cell(0, PageImagesModel::Size), QString::fromUtf8("1000 × 20"));
    EXPECT_EQ(cell(3, PageImagesModel::Size), QString());
    EXPECT_EQ(cell(2, PageImagesModel::Bytes), QString());
    EXPECT_EQ(cell(1, PageImagesModel::Count), "10");
    EXPECT_EQ(cell(0, PageImagesModel::Found), "img");
    EXPECT_TRUE(cell(4, PageImagesModel::Address).endsWith("(118 chars)"));
    EXPECT_EQ(model.index(4, PageImagesModel::Address).data(PageImagesModel::kUrlRole).toString(),
              QString::fromStdString(pictures()[4].url));
    EXPECT_EQ(model.rowOf("http://127.0.0.1/c/square.gif"), 2);
    model.setSaveState(2, "Saved");
    EXPECT_EQ(cell(2, PageImagesModel::SaveState), "Saved");
}

} // namespace
} // namespace varrow
