// Thumbnails of local pictures: shown for a local page, never read for a web page.
#include "windows/ThumbnailLoader.h"

#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace varrow
{
namespace
{

TEST(ThumbnailLoader, ReadsLocalPicturesOnlyForALocalPage)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("green.png");
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(path));
    const QString picturePath = QUrl::fromLocalFile(path).toString();

    struct Case {
        const char* name;
        QUrl page;
        bool shown;
    };
    const Case cases[] = {
        {"a local page", QUrl::fromLocalFile(folder.filePath("page.html")), true},
        {"a web page", QUrl("http://127.0.0.2/page.html"), false},
        {"no page", QUrl(), false},
    };
    for (const Case& page : cases) {
        ThumbnailLoader thumbnails;
        thumbnails.setPage(page.page);
        QSignalSpy loaded(&thumbnails, &ThumbnailLoader::loaded);
        EXPECT_TRUE(thumbnails.thumbnail(picturePath).isNull()) << page.name;
        if (page.shown) {
            ASSERT_TRUE(loaded.wait(5000)) << page.name;
            const QPixmap shown = thumbnails.thumbnail(picturePath);
            EXPECT_EQ(shown.size(), QSize(ThumbnailLoader::kEdge, ThumbnailLoader::kEdge / 2));
            EXPECT_EQ(shown.toImage().pixelColor(10, 10), QColor(Qt::green)) << page.name;
        } else {
            EXPECT_FALSE(loaded.wait(300)) << page.name;
            EXPECT_TRUE(thumbnails.thumbnail(picturePath).isNull()) << page.name;
        }
    }
}

TEST(ThumbnailLoader, DecodesDataAddressesAndGivesNoneForOtherSchemes)
{
    ThumbnailLoader thumbnails;
    thumbnails.setPage(QUrl("http://127.0.0.2/page.html"));
    QSignalSpy loaded(&thumbnails, &ThumbnailLoader::loaded);
    // One red pixel.
    const QString data = "data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAAD"
                         "ElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC";
    EXPECT_TRUE(thumbnails.thumbnail(data).isNull());
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_EQ(thumbnails.thumbnail(data).toImage().pixelColor(0, 0), QColor(Qt::red));

    EXPECT_TRUE(thumbnails.thumbnail("blob:http://127.0.0.2/1234").isNull());
    EXPECT_FALSE(loaded.wait(300));
}

} // namespace
} // namespace varrow
