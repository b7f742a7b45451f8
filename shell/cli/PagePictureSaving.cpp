#include "shell/cli/PagePictureSaving.h"

#include "capture/cli/CaptureCommand.h"
#include "capture/cli/PageLoaderProcess.h"
#include "extract/PageImages.h"
#include "platform/browser/PictureSaveJob.h"
#include "shell/cli/OffscreenPage.h"

#include <QCoreApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <iostream>

namespace varrow
{
namespace
{

void report(const PictureSaveJob& job)
{
    bool allSaved = true;
    for (int row = 0; row < job.count(); ++row) {
        const bool saved = job.state(row) == PictureSaveJob::State::Saved;
        allSaved = allSaved && saved;
        std::cout << (saved ? "saved\t" : "failed\t")
                  << escapeListField((saved ? job.savedPath(row) : job.problem(row)).toStdString())
                  << '\n';
    }
    std::cout.flush();
    QCoreApplication::exit(allSaved && std::cout ? 0 : 1);
}

} // namespace

void savePagePictures(const std::string& addressOrFile, const std::string& folder)
{
    findPageImagesOffscreen(
        addressOrFile, 0,
        [folder](const PageImageInventory* inventory, const std::string& problem,
                 QWebEnginePage* page) {
            if (!inventory || !page) {
                std::cout << problem << std::endl;
                QCoreApplication::exit(kPageNotLoaded);
                return;
            }
            std::vector<QUrl> pictures;
            for (const PageImage& image : inventory->images())
                pictures.emplace_back(QString::fromStdString(image.url));
            auto* job = new PictureSaveJob(*page, QString::fromStdString(folder),
                                           std::move(pictures), page);
            QObject::connect(job, &PictureSaveJob::jobFinished, job, [job] { report(*job); });
            job->start();
        });
}

} // namespace varrow
