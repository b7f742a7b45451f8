// Times the Page Images window's table with many pictures: filling the model and showing the
// first rows, scrolling through every row page by page (thumbnails asked for only for the rows
// shown), sorting and filtering; and the memory the rows take.
//
// Usage: page_images_table_bench [ROWS]

#include "platform/browser/EngineEnvironment.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeBrowser.h"
#include "windows/PageImagesFilter.h"
#include "windows/PageImagesModel.h"
#include "windows/PageImagesWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <cstdio>
#include <cstdlib>

namespace
{

constexpr int kDefaultRows = 20000;

// The resident memory of this process, in KiB (Linux).
long residentKiB()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return 0;
}

// Pictures as a large page has them: addresses on a host that refuses, various sizes and types.
varrow::PageImageInventory manyPictures(int rows)
{
    static const char* const kTypes[] = {"image/png", "image/jpeg", "image/webp", "image/gif"};
    varrow::PageImageInventory inventory;
    for (int i = 0; i < rows; ++i) {
        varrow::ImageSighting seen;
        seen.url = "http://127.0.0.1:9/gallery/" + std::to_string(i % 97) + "/picture-" +
                   std::to_string(i) + ".png?w=" + std::to_string(100 + i % 1000);
        seen.how = static_cast<varrow::FoundBy>(i % varrow::kFoundByCount);
        seen.width = 16 + (i * 37) % 2000;
        seen.height = 16 + (i * 53) % 1500;
        seen.type = kTypes[i % 4];
        seen.bytes = 500 + (i * 7919) % 900000;
        seen.alt = "Picture number " + std::to_string(i);
        inventory.add(std::move(seen));
    }
    return inventory;
}

void report(const char* what, const QElapsedTimer& clock)
{
    std::printf("%-44s %8lld ms\n", what, static_cast<long long>(clock.elapsed()));
}

} // namespace

int main(int argc, char** argv)
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : kDefaultRows;
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    QApplication app(argc, argv);

    varrow::testing::FakeBrowser view(nullptr, varrow::BrowserRole::Browsing);
    varrow::PageImagesSources sources;
    sources.view = &view;
    const varrow::PageImageInventory inventory = manyPictures(rows);
    varrow::PageImagesWindow window(std::move(sources), varrow::PageImagesDialogs::standard());
    window.show();
    QTableView& table = varrow::testing::control<QTableView>(window, "table");
    QApplication::processEvents();
    const long before = residentKiB();

    QElapsedTimer clock;
    clock.start();
    window.showImages(inventory.images());
    table.viewport()->repaint();
    report("fill the model and paint the first rows", clock);
    std::printf("%-44s %8d\n", "rows", window.pictures().rowCount());
    std::printf("%-44s %8ld KiB\n", "memory taken by the rows", residentKiB() - before);

    QApplication::processEvents(); // lays the table out, which sets the scroll bar's page step
    QScrollBar* scroll = table.verticalScrollBar();
    const int pageStep = std::max(1, scroll->pageStep());
    int pages = 0;
    clock.restart();
    for (int at = 0; at <= scroll->maximum(); at += pageStep, ++pages) {
        scroll->setValue(at);
        table.viewport()->repaint();
        QApplication::processEvents();
    }
    report("scroll through every row, page by page", clock);
    std::printf("%-44s %8.3f ms\n", "  per page", double(clock.elapsed()) / std::max(1, pages));
    std::printf("%-44s %8d\n", "  rows a page", pageStep);

    clock.restart();
    table.sortByColumn(varrow::PageImagesModel::Address, Qt::AscendingOrder);
    table.viewport()->repaint();
    report("sort by address", clock);
    clock.restart();
    table.sortByColumn(varrow::PageImagesModel::Size, Qt::DescendingOrder);
    table.viewport()->repaint();
    report("sort by width x height", clock);
    clock.restart();
    varrow::testing::control<QLineEdit>(window, "addressFilter").setText("picture-1");
    table.viewport()->repaint();
    report("filter by address text", clock);
    std::printf("%-44s %8d\n", "  rows shown", window.shown().rowCount());
    std::printf("%-44s %8ld KiB\n", "memory taken after scrolling and sorting",
                residentKiB() - before);
    return 0;
}
