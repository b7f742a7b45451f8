// The picture finder on real pages: the shared corpus's body markup opened as local files, each
// page's pictures compared with the list kept for it in tests/data/corpus-pictures/NAME.tsv, one
// "LABELS<TAB>ADDRESS" line per picture in the inventory's order, the labels without "network"
// (the requests an offline page makes are no part of its markup), addresses in the page's own
// folder written "./...", data: addresses in short form. The lists of base-url, blogger and
// wikipedia are checked against their markup by hand.
#include "platform/browser/LocalFileGuard.h"
#include "platform/browser/WebEngineBrowser.h"
#include "shell/pictures/PageImageFinder.h"
#include "tests/support/LoopbackOnly.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace varrow::testing
{
namespace
{

constexpr int kPatienceMs = 60000;
constexpr int kSettleMs = 1000; // for pictures that a page's own scripts add after its load

QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The page's pictures in the form of its list, read through the real engine.
QStringList listedPictures(const QString& name)
{
    QTemporaryDir folder;
    const QString page = folder.filePath(name + ".html");
    QFile file(page);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head>\n" +
               readAll(QStringLiteral(VARROW_CORPUS_PAGES "/") + name + ".body") + "\n</html>\n");
    file.close();

    QWidget window;
    window.resize(1024, 768);
    auto* browser = new WebEngineBrowser(&window, BrowserRole::Browsing);
    auto* finder = new PageImageFinder(*browser);
    LoopbackOnly::installOnPage(*browser->page(), *browser->page()->findChild<LocalFileGuard*>());
    browser->view()->resize(window.size());
    window.show();
    bool complete = false;
    QObject::connect(browser, &BrowserControl::DownloadComplete, [&] { complete = true; });
    browser->Navigate(QUrl::fromLocalFile(page).toString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return complete; }, kPatienceMs));
    QTest::qWait(kSettleMs);

    std::optional<PageImageInventory> found;
    finder->find({}, [&](PageImageInventory inventory, const QString& why) {
        EXPECT_EQ(why, QString());
        found = std::move(inventory);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return found.has_value(); }, kPatienceMs));

    const QString ownFolder = QUrl::fromLocalFile(folder.path() + "/").toString();
    QStringList lines;
    const PageImageInventory inventory = found.value_or(PageImageInventory{});
    for (const PageImage& image : inventory.images()) {
        QStringList labels;
        for (const std::string_view label : image.found.labels())
            if (label != foundLabel(FoundBy::Network))
                labels += QString::fromUtf8(label.data(), qsizetype(label.size()));
        if (labels.isEmpty())
            continue;
        QString address = QString::fromStdString(image.listedUrl());
        if (address.startsWith(ownFolder))
            address = "./" + address.mid(ownFolder.size());
        lines += labels.join(',') + '\t' + address;
    }
    return lines;
}

class CorpusPicturesTest : public ::testing::TestWithParam<const char*>
{
};

TEST_P(CorpusPicturesTest, FindsThePicturesItsListHolds)
{
    const QString name = QString::fromUtf8(GetParam());
    const QStringList expected =
        QString::fromUtf8(readAll(QStringLiteral(VARROW_CORPUS_PICTURES "/") + name + ".tsv"))
            .split('\n', Qt::SkipEmptyParts);
    const QStringList found = listedPictures(name);
    EXPECT_EQ(found.join('\n').toStdString(), expected.join('\n').toStdString());
}

// Between them: img, srcset, picture, lazy, css, linked, meta, svg and data, with and without
// a page of links to pictures on other sites and pages of a wiki.
INSTANTIATE_TEST_SUITE_P(RealPages, CorpusPicturesTest,
                         ::testing::Values("aktualne", "article-author-tag", "base-url", "blogger",
                                           "buzzfeed-1", "guardian-1", "nytimes-1", "nytimes-4",
                                           "v8-blog", "wikipedia"),
                         [](const auto& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
} // namespace varrow::testing
