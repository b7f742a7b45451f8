// Times saving many small pictures through the engine's downloads: a page served on 127.0.0.1,
// then PictureSaveJob over every picture into an empty folder, from start() to its end. Each run
// uses a folder of its own; the figure is the best of the runs.
//
// Usage: picture_save_bench [PICTURES [RUNS]]   (default 500 pictures, 3 runs)

#include "platform/browser/EngineEnvironment.h"
#include "platform/browser/PictureSaveJob.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{

constexpr int kPictureBytes = 2048;
constexpr int kPatienceMs = 600000;

QByteArray smallPicture(int number)
{
    QByteArray bytes = "\x89PNG\r\n\x1a\n" + QByteArray::number(number);
    bytes.resize(kPictureBytes, char(number));
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    const int pictures = argc > 1 ? std::atoi(argv[1]) : 500;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    if (pictures <= 0 || runs <= 0) {
        std::fprintf(stderr, "Usage: picture_save_bench [PICTURES [RUNS]]\n");
        return 2;
    }
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    varrow::testing::LoopbackOnly::install();

    varrow::testing::LocalWebServer server;
    server.serve("/page.html", "<body>pictures</body>");
    std::vector<QUrl> addresses;
    for (int i = 0; i < pictures; ++i) {
        const QString path = QString("/pictures/%1.png").arg(i);
        server.serve(path, smallPicture(i), "image/png");
        addresses.emplace_back(server.address(path));
    }
    QWebEnginePage page;
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.load(QUrl(server.address("/page.html")));
    if (!loaded.wait(kPatienceMs)) {
        std::fprintf(stderr, "picture_save_bench: the page did not load\n");
        return 1;
    }

    std::printf("saving %d pictures of %d bytes from 127.0.0.1, %d at a time\n", pictures,
                kPictureBytes, varrow::PictureSaveJob::kMaxRunning);
    double best = 0;
    for (int run = 1; run <= runs; ++run) {
        QTemporaryDir folder;
        varrow::PictureSaveJob job(page, folder.path(), addresses);
        QSignalSpy finished(&job, &varrow::PictureSaveJob::jobFinished);
        QElapsedTimer clock;
        clock.start();
        job.start();
        if (!job.finished() && !finished.wait(kPatienceMs)) {
            std::fprintf(stderr, "picture_save_bench: the job did not finish\n");
            return 1;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        int saved = 0;
        for (int row = 0; row < job.count(); ++row)
            saved += job.state(row) == varrow::PictureSaveJob::State::Saved;
        const double rate = saved / seconds;
        best = std::max(best, rate);
        std::printf("run %d: %d saved in %8.2f s  %8.1f pictures/s\n", run, saved, seconds, rate);
        if (saved != pictures)
            return 1;
    }
    std::printf("best: %.1f pictures/s\n", best);
    return 0;
}
