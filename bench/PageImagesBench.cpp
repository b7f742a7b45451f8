// Times the picture inventory of a page with 2,000 pictures of every kind, served from 127.0.0.1
// and loaded in the browser engine off screen: from the finished load to the complete list (the
// capture's scans of the body markup, then the finder's script and the page's requests), as
// varrow-capture --inventory does it. The first run is reported on its own, then the best of the
// rest, each on the page as loaded.
//
// Usage: page_images_bench [PICTURES]

#include "extract/PageImages.h"
#include "platform/browser/EngineEnvironment.h"
#include "platform/browser/WebEngineBrowser.h"
#include "shell/pictures/PageImageFinder.h"
#include "tests/support/LocalWebServer.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <QWebEnginePage>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace
{

constexpr int kDefaultPictures = 2000;
constexpr int kRuns = 5;
constexpr int kPatienceMs = 120000;

QByteArray smallPng()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A page of `count` pictures, each at an address of its own, in turn an img, an img with a srcset
// of two, a picture source, a lazy attribute, a style attribute's background and a style sheet's
// background; every picture the page shows is served.
QByteArray benchPage(int count, varrow::testing::LocalWebServer& server)
{
    const QByteArray png = smallPng();
    QByteArray style = "<style>";
    QByteArray body;
    for (int i = 0; i < count; ++i) {
        const QByteArray name = "/p/" + QByteArray::number(i) + ".png";
        switch (i % 6) {
        case 0:
            body += "<img src=\"" + name + "\" alt=\"picture " + QByteArray::number(i) + "\">";
            break;
        case 1:
            body += "<img src=\"" + name + "\" srcset=\"" + name + " 1x, /p/w_424,c_limit/" +
                    QByteArray::number(i) + ".png 2x\">";
            break;
        case 2:
            body += "<picture><source srcset=\"" + name + "\"><img alt=\"in a picture\"></picture>";
            break;
        case 3:
            body += "<img data-src=\"" + name + "\">";
            break;
        case 4:
            body += "<div style=\"width:4px;height:3px;background-image:url(" + name + ")\"></div>";
            break;
        default:
            style += ".b" + QByteArray::number(i) + "{width:4px;height:3px;background:url(" + name +
                     ")}";
            body += "<div class=\"b" + QByteArray::number(i) + "\"></div>";
        }
        server.serve(QString::fromLatin1(name), png, "image/png");
    }
    return "<!DOCTYPE html><html><head><title>Pictures</title>" + style + "</style></head><body>" +
           body + "</body></html>";
}

// Runs the event loop until `done` holds or the patience runs out; whether it holds. The loop
// sleeps in the system's wait, so the server answers at once and nothing polls.
template <typename Done> bool runUntil(Done done)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    check.start(1);
    QTimer::singleShot(kPatienceMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

struct Run {
    qint64 milliseconds = 0;
    std::size_t pictures = 0;
};

// One inventory of the page the browser shows, timed from now to the complete list.
Run inventoryOf(varrow::PageImageFinder& finder)
{
    QElapsedTimer clock;
    clock.start();
    std::optional<std::size_t> found;
    finder.find({}, [&](varrow::PageImageInventory complete, const QString& problem) {
        if (!problem.isEmpty())
            std::fprintf(stderr, "the finder failed: %s\n", qPrintable(problem));
        found = complete.images().size();
    });
    if (!runUntil([&] { return found.has_value(); }))
        std::fprintf(stderr, "the finder gave no answer\n");
    return {clock.elapsed(), found.value_or(0)};
}

} // namespace

int main(int argc, char** argv)
{
    const int pictures = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultPictures;
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    QApplication app(argc, argv);
    varrow::testing::LocalWebServer server;
    server.serve("/pictures.html", benchPage(pictures, server));

    QWidget window;
    window.resize(1024, 768);
    auto* browser = new varrow::WebEngineBrowser(&window, varrow::BrowserRole::Browsing);
    auto* finder = new varrow::PageImageFinder(*browser); // from the first request on
    browser->view()->resize(window.size());
    window.show();
    bool complete = false;
    QObject::connect(browser, &varrow::BrowserControl::DownloadComplete,
                     [&] { complete = complete || browser->BodyMarkup().has_value(); });
    bool loaded = false;
    QObject::connect(browser->page(), &QWebEnginePage::loadFinished, [&] { loaded = true; });
    QElapsedTimer loading;
    loading.start();
    browser->Navigate(server.address("/pictures.html"));
    if (!runUntil([&] { return loaded && complete; })) {
        std::fprintf(stderr, "the page did not load\n");
        return 1;
    }
    std::printf("%-44s %8lld ms\n", "page load and capture snapshot",
                static_cast<long long>(loading.elapsed()));

    const Run first = inventoryOf(*finder);
    std::printf("%-44s %8lld ms  (%zu pictures listed)\n", "inventory, first run",
                static_cast<long long>(first.milliseconds), first.pictures);
    qint64 best = first.milliseconds;
    for (int run = 1; run < kRuns; ++run)
        best = std::min(best, inventoryOf(*finder).milliseconds);
    std::printf("%-44s %8lld ms  (best of %d)\n", "inventory, load finished to list complete",
                static_cast<long long>(best), kRuns);
    return 0;
}
