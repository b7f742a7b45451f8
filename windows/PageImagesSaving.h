#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class QWebEnginePage;

namespace varrow
{

class PageImagesModel;
class PictureSaveJob;

// Saves pictures of a PageImagesModel through the page's own downloads, one job at a time, and
// writes each picture's state into its row of the model.
class PageImagesSaving : public QObject
{
    Q_OBJECT

public:
    explicit PageImagesSaving(PageImagesModel& pictures, QObject* parent = nullptr);
    ~PageImagesSaving() override;

    // Saves the pictures at `urls` (whole addresses) of `page` into `folder`, cancelling the job
    // before. The job decides what the page may save (local files only for a local page).
    void save(QWebEnginePage& page, const QString& folder, const QStringList& urls);
    void cancel();
    // Saves again what failed or was cancelled.
    void retry();

    bool running() const;
    // What became of the last job's pictures: "6 saved, 1 failed", with ", 2 cancelled" when
    // any were; empty before the first job.
    QString outcome() const;
    // Some picture of the last job failed or was cancelled.
    bool retryable() const;

signals:
    // Pictures done (saved, failed or cancelled) of all of the job's.
    void progress(int done, int total);
    // The job started, finished, or a picture's state changed.
    void changed();

private:
    void showRow(int jobRow);

    PageImagesModel& m_pictures;
    QPointer<PictureSaveJob> m_job;
    QStringList m_urls; // the job's pictures, by its rows
};

} // namespace varrow
