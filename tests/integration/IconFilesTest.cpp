// The icons shipped beside the executable: real icon files with every size a toolbar asks for.
#include <QImageReader>
#include <gtest/gtest.h>
#include <set>

namespace varrow::testing
{
namespace
{

class IconFilesTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(IconFilesTest, HoldsEverySizeFromSixteenToFortyEight)
{
    QImageReader reader(QString(VARROW_DATA_DIR) + "/" + GetParam() + ".ico", "ico");
    ASSERT_TRUE(reader.canRead()) << reader.errorString().toStdString();
    std::set<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(i));
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << i;
        EXPECT_EQ(image.width(), image.height());
        EXPECT_TRUE(image.hasAlphaChannel());
        // Opaque in the middle, transparent in the corner: a real picture, not a blank.
        EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        sizes.insert(image.width());
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 48}));
}

INSTANTIATE_TEST_SUITE_P(Icons, IconFilesTest, ::testing::Values("icon", "hoticon"),
                         [](const auto& row) { return std::string(row.param); });

} // namespace
} // namespace varrow::testing
