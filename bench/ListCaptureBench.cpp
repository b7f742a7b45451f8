// Times varrow-capture --load-list over pages served on 127.0.0.1: each page has PICTURES
// pictures and a link to the next. Prints the time of a one-page list (the engine's start-up and
// one page), pages per second for --jobs 1, 2 and 4 without and with --save, and the peak memory
// of the loader and the engine's processes while the first 50 pages load and over the whole list
// (--jobs 2, no --save).
//
// Usage: list_capture_bench [PAGES [PICTURES]]   (default 200 pages, 20 pictures)

#include "tests/support/LocalWebServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace
{

constexpr int kPatienceMs = 1800000;
constexpr int kSampleEveryMs = 100;
constexpr int kEarlyPages = 50;

QByteArray smallPicture(int number)
{
    QByteArray bytes = "GIF89a" + QByteArray::number(number);
    bytes.resize(600, char(number));
    return bytes;
}

// The resident memory of `pid` and every process below it, in bytes.
qint64 treeMemory(qint64 pid)
{
    std::multimap<qint64, qint64> children;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + entry + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            children.emplace(fields[1].toLongLong(), entry.toLongLong());
    }
    qint64 bytes = 0;
    std::vector<qint64> open{pid};
    while (!open.empty()) {
        const qint64 next = open.back();
        open.pop_back();
        QFile statm(QString("/proc/%1/statm").arg(next));
        if (statm.open(QIODevice::ReadOnly))
            bytes += statm.readAll().split(' ').value(1).toLongLong() * 4096;
        const auto [first, last] = children.equal_range(next);
        for (auto child = first; child != last; ++child)
            open.push_back(child->second);
    }
    return bytes;
}

struct ListRun {
    double seconds = 0;
    int done = 0;
    qint64 peakEarly = 0; // while the first kEarlyPages pages load
    qint64 peak = 0;
};

ListRun runList(const QString& list, const QStringList& options)
{
    QTemporaryDir out;
    QProcess command;
    ListRun run;
    QEventLoop loop;
    QObject::connect(&command, &QProcess::readyReadStandardOutput, [&] {
        while (command.canReadLine())
            run.done += command.readLine().contains("\"outcome\":\"done\"");
    });
    QObject::connect(&command, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const qint64 bytes = treeMemory(command.processId());
        run.peak = std::max(run.peak, bytes);
        if (run.done < kEarlyPages)
            run.peakEarly = std::max(run.peakEarly, bytes);
    });
    QElapsedTimer clock;
    clock.start();
    command.setProcessChannelMode(QProcess::SeparateChannels);
    command.setStandardErrorFile(QProcess::nullDevice());
    command.start(VARROW_CAPTURE, QStringList{"--load-list", list, "--out", out.path()} + options);
    sampler.start(kSampleEveryMs);
    QTimer::singleShot(kPatienceMs, &loop, &QEventLoop::quit);
    loop.exec();
    run.seconds = double(clock.nsecsElapsed()) / 1e9;
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    const int pages = argc > 1 ? std::atoi(argv[1]) : 200;
    const int pictures = argc > 2 ? std::atoi(argv[2]) : 20;
    if (pages <= 0 || pictures < 0) {
        std::fprintf(stderr, "Usage: list_capture_bench [PAGES [PICTURES]]\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    varrow::testing::LocalWebServer server;
    QStringList addresses;
    for (int page = 0; page < pages; ++page) {
        QByteArray body = "<body><h1>page " + QByteArray::number(page) + "</h1>";
        for (int i = 0; i < pictures; ++i) {
            const QString path = QString("/p%1/%2.gif").arg(page).arg(i);
            server.serve(path, smallPicture(page * pictures + i), "image/gif");
            body += "<img src=\"" + path.toUtf8() + "\">";
        }
        body += "<a href=\"/page" + QByteArray::number((page + 1) % pages) + ".html\">next</a>";
        server.serve(QString("/page%1.html").arg(page), body + "</body>");
        addresses += server.address(QString("/page%1.html").arg(page));
    }
    QTemporaryDir dir;
    const QString list = dir.filePath("list.txt");
    const QString one = dir.filePath("one.txt");
    {
        QFile file(list);
        file.open(QIODevice::WriteOnly);
        file.write(addresses.join('\n').toUtf8());
        QFile first(one);
        first.open(QIODevice::WriteOnly);
        first.write(addresses.first().toUtf8());
    }
    std::printf("%d pages served on 127.0.0.1, %d pictures each\n", pages, pictures);
    const ListRun startup = runList(one, {"--jobs", "1"});
    std::printf("one-page list (the engine's start-up and one page): %.2f s\n", startup.seconds);
    bool complete = startup.done == 1;
    for (const bool save : {false, true}) {
        for (const char* jobs : {"1", "2", "4"}) {
            QStringList options{"--jobs", jobs};
            if (save)
                options += "--save";
            const ListRun run = runList(list, options);
            std::printf("--jobs %s%s: %d pages in %7.2f s  %6.2f pages/s  peak %6.1f MiB\n", jobs,
                        save ? " --save" : "        ", run.done, run.seconds,
                        run.done / run.seconds, double(run.peak) / (1 << 20));
            complete = complete && run.done == pages;
            if (!save && std::string(jobs) == "2")
                std::printf("peak memory, --jobs 2: %.1f MiB after %d pages, %.1f MiB after %d "
                            "(%+.1f%%)\n",
                            double(run.peakEarly) / (1 << 20), std::min(kEarlyPages, pages),
                            double(run.peak) / (1 << 20), pages,
                            100.0 * double(run.peak - run.peakEarly) / double(run.peakEarly));
        }
    }
    return complete ? 0 : 1;
}
