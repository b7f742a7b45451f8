// Times the desktop program's start: from the process start to the main window shown (mostly the
// splash, by design) and to the home page loaded and captured; then loads and captures a large
// page. Run it under /usr/bin/time -v for the peak memory.
//
// Usage: startup_bench LARGE_BODY_FILE

#include "bench/BenchProgram.h"
#include "platform/browser/EngineEnvironment.h"
#include "platform/textfile/TextFile.h"
#include "shell/MainWindow.h"
#include "tests/support/Controls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

namespace
{

struct Stopwatch {
    QElapsedTimer clock;
    void report(const char* what) const
    {
        std::printf("%-44s %8lld ms\n", what, static_cast<long long>(clock.elapsed()));
    }
};

} // namespace

int main(int argc, char** argv)
{
    Stopwatch sinceStart;
    sinceStart.clock.start();
    if (argc != 2) {
        std::fprintf(stderr, "Usage: startup_bench LARGE_BODY_FILE\n");
        return 2;
    }
    varrow::prepareEngineEnvironment(/*offscreen=*/true);
    QApplication app(argc, argv);
    varrow::bench::BenchProgram bench;
    varrow::Program& program = bench.program();
    const QString largePage = bench.scratch().filePath("large.html");
    varrow::writeTextFile(largePage.toStdString(),
                          "<!DOCTYPE html><html><head><title>Large</title></head>" +
                              varrow::readTextFile(argv[1]) + "</html>");

    bench.start();

    // Watch for the main window, then for its downloads: the home page, then the large page.
    QTimer watch;
    int downloads = 0;
    Stopwatch sinceLargeLoad;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        varrow::MainWindow* window = program.mainWindow();
        if (!window || !window->isVisible())
            return;
        watch.stop();
        sinceStart.report("process start to main window shown");
        QObject::connect(
            &varrow::testing::control<varrow::BrowserControl>(*window, "wb0"),
            &varrow::BrowserControl::DownloadComplete, [&, window] {
                if (++downloads == 1) {
                    sinceStart.report("process start to home page loaded");
                    sinceLargeLoad.clock.start();
                    varrow::testing::control<varrow::BrowserControl>(*window, "wb0")
                        .Navigate2(largePage);
                } else if (varrow::testing::control<varrow::BrowserControl>(*window, "wb0")
                               .LocationURL()
                               .endsWith("large.html")) {
                    sinceLargeLoad.report("large page: load, snapshot and capture");
                    QCoreApplication::exit(0);
                }
            });
    });
    watch.start(1);
    return app.exec();
}
