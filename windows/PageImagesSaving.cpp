#include "windows/PageImagesSaving.h"

#include "shell/pictures/PictureSaveJob.h"
#include "windows/PageImagesModel.h"

#include <QFileInfo>

namespace varrow
{

PageImagesSaving::PageImagesSaving(PageImagesModel& pictures, QObject* parent)
    : QObject(parent), m_pictures(pictures)
{
}

PageImagesSaving::~PageImagesSaving()
{
    delete m_job.data();
}

void PageImagesSaving::save(QWebEnginePage& page, const QString& folder, const QStringList& urls)
{
    delete m_job.data();
    m_urls = urls;
    std::vector<QUrl> pictures;
    for (const QString& url : urls)
        pictures.emplace_back(url);
    m_job = new PictureSaveJob(page, folder, std::move(pictures), this);
    connect(m_job, &PictureSaveJob::rowChanged, this, &PageImagesSaving::showRow);
    connect(m_job, &PictureSaveJob::progress, this, &PageImagesSaving::progress);
    connect(m_job, &PictureSaveJob::jobFinished, this, &PageImagesSaving::changed);
    for (int row = 0; row < m_job->count(); ++row)
        showRow(row);
    emit progress(0, m_job->count());
    m_job->start();
    emit changed();
}

void PageImagesSaving::cancel()
{
    if (m_job)
        m_job->cancel();
    emit changed();
}

void PageImagesSaving::retry()
{
    if (!m_job)
        return;
    m_job->retry();
    emit changed();
}

bool PageImagesSaving::running() const
{
    return m_job && !m_job->finished();
}

QString PageImagesSaving::outcome() const
{
    if (!m_job)
        return {};
    int saved = 0;
    int failed = 0;
    int cancelled = 0;
    for (int row = 0; row < m_job->count(); ++row) {
        switch (m_job->state(row)) {
        case PictureSaveJob::State::Saved:
            ++saved;
            break;
        case PictureSaveJob::State::Failed:
            ++failed;
            break;
        case PictureSaveJob::State::Cancelled:
            ++cancelled;
            break;
        default:
            break;
        }
    }
    QString text = tr("%1 saved, %2 failed").arg(saved).arg(failed);
    if (cancelled > 0)
        text += tr(", %1 cancelled").arg(cancelled);
    return text;
}

bool PageImagesSaving::retryable() const
{
    if (!m_job)
        return false;
    for (int row = 0; row < m_job->count(); ++row) {
        const PictureSaveJob::State state = m_job->state(row);
        if (state == PictureSaveJob::State::Failed || state == PictureSaveJob::State::Cancelled)
            return true;
    }
    return false;
}

void PageImagesSaving::showRow(int jobRow)
{
    QString text;
    switch (m_job->state(jobRow)) {
    case PictureSaveJob::State::Waiting:
        text = tr("Waiting");
        break;
    case PictureSaveJob::State::Saving:
        text = tr("Saving…");
        break;
    case PictureSaveJob::State::Saved:
        text = tr("Saved as %1").arg(QFileInfo(m_job->savedPath(jobRow)).fileName());
        break;
    case PictureSaveJob::State::Failed:
        text = tr("Failed: %1").arg(m_job->problem(jobRow));
        break;
    case PictureSaveJob::State::Cancelled:
        text = tr("Cancelled");
        break;
    }
    m_pictures.setSaveState(m_pictures.rowOf(m_urls.value(jobRow)), text);
    emit changed();
}

} // namespace varrow
