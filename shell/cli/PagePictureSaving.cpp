#include "shell/cli/PagePictureSaving.h"

#include "capture/cli/CaptureCommand.h"
#include "capture/cli/PageLoaderProcess.h"
#include "extract/PageImages.h"
#include "shell/cli/OffscreenPage.h"
#include "shell/cli/StopSignals.h"
#include "shell/pictures/PictureSaveJob.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <iostream>
#include <memory>

namespace varrow
{
namespace
{

// How long the engine may take to let go of the downloads a stopped run cancelled; the run then
// ends all the same.
constexpr int kLetGoMs = 5000;

// Writes one line per picture; true when every picture was saved.
bool report(const PictureSaveJob& job, const QStringList& urls)
{
    bool allSaved = true;
    for (int row = 0; row < job.count(); ++row) {
        const PictureSaveJob::State state = job.state(row);
        const bool saved = state == PictureSaveJob::State::Saved;
        allSaved = allSaved && saved;
        const QString text = saved ? job.savedPath(row)
                             : state == PictureSaveJob::State::Cancelled
                                 ? QStringLiteral("cannot save %1: stopped").arg(urls.value(row))
                                 : job.problem(row);
        std::cout << (saved ? "saved\t" : "failed\t") << escapeListField(text.toStdString())
                  << '\n';
    }
    std::cout.flush();
    return allSaved && std::cout;
}

// Reports and ends the run once the engine has let go of the job's downloads, so that no
// intermediate file of a download it was still cancelling stays behind.
void endWhenReleased(PictureSaveJob* job, const QStringList& urls, const StopSignals& stops)
{
    const auto end = [job, urls, &stops] {
        const bool allSaved = report(*job, urls);
        delete job; // and with it what the engine's last downloads left
        const int signal = stops.received();
        QCoreApplication::exit(signal != 0 ? 128 + signal : allSaved ? 0 : 1);
    };
    if (!job->holdsDownloads())
        return end();
    QObject::connect(job, &PictureSaveJob::downloadsReleased, job, end,
                     Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
    QTimer::singleShot(kLetGoMs, job, end);
}

} // namespace

void savePagePictures(const std::string& addressOrFile, const std::string& folder,
                      std::int64_t maxBytes, StopSignals& stops)
{
    auto job = std::make_shared<QPointer<PictureSaveJob>>();
    QObject::connect(&stops, &StopSignals::stopRequested, &stops, [job, &stops] {
        if (*job)
            (*job)->cancel(); // the job finishes, and the run ends
        else
            QCoreApplication::exit(128 + stops.received()); // nothing written yet
    });
    findPageImagesOffscreen(
        addressOrFile, 0,
        [folder, maxBytes, job, &stops](const PageImageInventory* inventory,
                                        const std::string& problem, QWebEnginePage* page) {
            if (stops.received() != 0)
                return; // the run is ending
            if (!inventory || !page) {
                std::cout << problem << std::endl;
                QCoreApplication::exit(kPageNotLoaded);
                return;
            }
            std::vector<QUrl> pictures;
            QStringList urls;
            for (const PageImage& image : inventory->images()) {
                urls += QString::fromStdString(image.listedUrl());
                pictures.emplace_back(QString::fromStdString(image.url));
            }
            auto* saving = new PictureSaveJob(*page, QString::fromStdString(folder),
                                              std::move(pictures), page);
            saving->setMaxBytes(maxBytes);
            *job = saving;
            // Queued: the job may finish inside cancel(), which a stop signal calls.
            QObject::connect(
                saving, &PictureSaveJob::jobFinished, saving,
                [saving, urls, &stops] { endWhenReleased(saving, urls, stops); },
                Qt::QueuedConnection);
            saving->start();
        });
}

} // namespace varrow
