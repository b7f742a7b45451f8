#include "shell/pictures/PictureSaveJob.h"

#include "capture/PictureFileNames.h"
#include "extract/PageImages.h"
#include "platform/browser/LocalFilePolicy.h"
#include "platform/textfile/RenameWithoutReplacing.h"
#include "shell/pictures/PictureContent.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <algorithm>
#include <utility>

namespace varrow
{
namespace
{

// Hidden while it is written, and recognisably ours should a crash leave one behind.
const QString kTemporaryPattern = QStringLiteral(".varrow-picture-XXXXXX.part");
// The engine writes a download under the target's name with this added, then renames it.
const QString kEngineIntermediateSuffix = QStringLiteral(".download");

// The address as a person reads it in a message: data: addresses in their short form.
QString shownAddress(const QUrl& url)
{
    const std::string full = url.toString(QUrl::FullyEncoded).toStdString();
    return QString::fromStdString(url.scheme() == QLatin1String("data") ? shortDataAddress(full)
                                                                        : full);
}

void removeAttempt(const QString& temporaryPath)
{
    if (temporaryPath.isEmpty())
        return;
    QFile::remove(temporaryPath);
    QFile::remove(temporaryPath + kEngineIntermediateSuffix);
}

// The engine's reason for a content length mismatch, which Qt has no text for.
constexpr int kShorterThanAnnounced = 38;

QString interruptReason(const QWebEngineDownloadRequest& request)
{
    switch (int(request.interruptReason())) {
    case kShorterThanAnnounced:
        return PictureSaveJob::tr("the connection closed before the whole picture came");
    case QWebEngineDownloadRequest::UserCanceled: // nobody did; the engine gave up
        return PictureSaveJob::tr("the download broke off");
    default:
        return request.interruptReasonString();
    }
}

// The permissions a new file of ours gets: read and write for all, less the process's umask.
// The engine writes its downloads readable by their owner alone.
QFile::Permissions newFilePermissions()
{
    static const QFile::Permissions permissions = [] {
        unsigned mask = 022;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("Umask:"))
                    mask = line.mid(6).trimmed().toUInt(nullptr, 8);
            }
        }
        QFile::Permissions allowed;
        const std::pair<unsigned, QFile::Permissions> bits[] = {
            {0400, QFile::ReadOwner | QFile::ReadUser},
            {0200, QFile::WriteOwner | QFile::WriteUser},
            {0040, QFile::ReadGroup},
            {0020, QFile::WriteGroup},
            {0004, QFile::ReadOther},
            {0002, QFile::WriteOther}};
        for (const auto& [bit, permission] : bits)
            if ((mask & bit) == 0)
                allowed |= permission;
        return allowed;
    }();
    return permissions;
}

bool isSavableScheme(const QUrl& url)
{
    static const QStringList kSchemes{"http", "https", "data", "blob", "file", "ftp"};
    return kSchemes.contains(url.scheme().toLower());
}

} // namespace

PictureSaveJob::PictureSaveJob(QWebEnginePage& page, QString folder, std::vector<QUrl> pictures,
                               QObject* parent)
    : QObject(parent), m_page(&page), m_folder(QDir(folder).absolutePath()),
      m_maxBytes(kDefaultMaxPictureBytes), m_stallCheck(new QTimer(this))
{
    m_clock.start();
    setStallLimit(kStallLimitMs);
    connect(m_stallCheck, &QTimer::timeout, this, &PictureSaveJob::dropStalled);
    m_rows.reserve(pictures.size());
    for (QUrl& url : pictures)
        m_rows.emplace_back().url = std::move(url);
    // The profile is shared with the page's own downloads and other jobs; each request is matched
    // to a row by the temporary name it was asked under.
    connect(page.profile(), &QWebEngineProfile::downloadRequested, this,
            &PictureSaveJob::handleDownloadRequested);
}

PictureSaveJob::~PictureSaveJob()
{
    blockSignals(true); // whoever destroys the job wants no news of it
    cancel();
    // Also the files of downloads that the engine was still letting go of.
    for (const Asked& asked : std::as_const(m_askedByName))
        removeAttempt(asked.temporaryPath);
}

void PictureSaveJob::setStallLimit(int milliseconds)
{
    m_stallLimitMs = milliseconds;
    m_stallCheck->setInterval(std::clamp(milliseconds / 4, 10, 5000));
}

void PictureSaveJob::setMaxBytes(qint64 bytes)
{
    m_maxBytes = bytes;
}

bool PictureSaveJob::holdsDownloads() const
{
    return !m_askedByName.isEmpty();
}

void PictureSaveJob::start()
{
    m_started = true;
    if (m_rows.empty()) {
        emit jobFinished();
        return;
    }
    m_stallCheck->start();
    if (const QString problem = folderProblem(); !problem.isEmpty()) {
        for (std::size_t row = m_nextWaiting; row < m_rows.size(); ++row)
            if (m_rows[row].state == State::Waiting)
                fail(int(row), problem);
        m_nextWaiting = m_rows.size();
        return;
    }
    launchWaiting();
}

void PictureSaveJob::cancel()
{
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        Row& r = m_rows[row];
        if (r.state != State::Waiting && r.state != State::Saving)
            continue;
        if (r.download)
            r.download->cancel();
        removeAttempt(r.temporaryPath);
        setState(int(row), State::Cancelled);
    }
    m_nextWaiting = m_rows.size();
}

void PictureSaveJob::retry()
{
    bool any = false;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        Row& r = m_rows[row];
        if (r.state != State::Failed && r.state != State::Cancelled)
            continue;
        r.problem.clear();
        r.download = nullptr;
        r.temporaryPath.clear();
        setState(int(row), State::Waiting);
        m_nextWaiting = std::min(m_nextWaiting, row);
        any = true;
    }
    if (any)
        start();
}

int PictureSaveJob::count() const
{
    return int(m_rows.size());
}

PictureSaveJob::State PictureSaveJob::state(int row) const
{
    return m_rows.at(std::size_t(row)).state;
}

QString PictureSaveJob::savedPath(int row) const
{
    return m_rows.at(std::size_t(row)).savedPath;
}

QString PictureSaveJob::problem(int row) const
{
    return m_rows.at(std::size_t(row)).problem;
}

bool PictureSaveJob::finished() const
{
    return m_done == count();
}

void PictureSaveJob::launchWaiting()
{
    while (m_started && m_saving < kMaxRunning && m_nextWaiting < m_rows.size()) {
        const std::size_t row = m_nextWaiting++;
        if (m_rows[row].state == State::Waiting)
            launch(int(row));
    }
}

void PictureSaveJob::launch(int row)
{
    Row& r = m_rows[std::size_t(row)];
    ++r.attempt;
    setState(row, State::Saving);
    if (!m_page)
        return fail(row, tr("cannot save %1: the page is closed").arg(shownAddress(r.url)));
    if (!isSavableScheme(r.url) || !mayRead(r.url))
        return fail(
            row, tr("cannot save %1: not a picture this page may save").arg(shownAddress(r.url)));

    QTemporaryFile reserved(QDir(m_folder).filePath(kTemporaryPattern));
    reserved.setAutoRemove(false);
    if (!reserved.open())
        return fail(row, tr("cannot write to %1: %2")
                             .arg(QDir::toNativeSeparators(m_folder), reserved.errorString()));
    r.temporaryPath = reserved.fileName();
    reserved.close();

    const QString name = QFileInfo(r.temporaryPath).fileName();
    m_askedByName.insert(name, Asked{row, r.attempt, r.temporaryPath});
    m_page->download(r.url, name);
    QTimer::singleShot(kStartPatienceMs, this, [this, name] {
        const auto asked = m_askedByName.constFind(name);
        if (asked == m_askedByName.constEnd())
            return;
        const Asked waited = *asked;
        const Row& current = m_rows[std::size_t(waited.row)];
        if (current.attempt == waited.attempt && current.download)
            return; // under way
        removeAttempt(waited.temporaryPath);
        release(name);
        if (current.attempt != waited.attempt || current.state != State::Saving)
            return;
        fail(waited.row, tr("cannot save %1: the browser engine did not start the download")
                             .arg(shownAddress(current.url)));
        launchWaiting();
    });
}

QString PictureSaveJob::askedName(const QWebEngineDownloadRequest& request) const
{
    if (m_askedByName.contains(request.suggestedFileName()))
        return request.suggestedFileName();
    for (auto asked = m_askedByName.cbegin(); asked != m_askedByName.cend(); ++asked) {
        const Row& r = m_rows[std::size_t(asked->row)];
        if (r.attempt == asked->attempt && r.state == State::Saving && !r.download &&
            r.url == request.url())
            return asked.key();
    }
    return {};
}

void PictureSaveJob::handleDownloadRequested(QWebEngineDownloadRequest* request)
{
    // The request's page() is never asked: the engine crashes in it for a download of no page.
    // The temporary name, which no other download has, tells the job's own.
    if (request->state() != QWebEngineDownloadRequest::DownloadRequested)
        return; // another job took it
    const QString name = askedName(*request);
    const auto found = m_askedByName.constFind(name);
    if (found == m_askedByName.constEnd())
        return; // not one of ours
    const Asked asked = *found;
    Row& r = m_rows[std::size_t(asked.row)];
    if (r.attempt != asked.attempt || r.state != State::Saving) {
        // Cancelled before the engine answered.
        request->cancel();
        removeAttempt(asked.temporaryPath);
        release(name);
        return;
    }
    // The engine asks once more for a download it resumes after a broken connection.
    if (r.download)
        r.download->disconnect(this);
    r.download = request;
    // An interrupted download that the engine could resume does not count as finished; the job
    // gives it up all the same (the engine has already resumed it a few times by then).
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, [this, name, request] {
        if (request->state() != QWebEngineDownloadRequest::DownloadInProgress &&
            request->state() != QWebEngineDownloadRequest::DownloadRequested)
            handleDownloadFinished(name, request);
    });
    const auto checkThisSize = [this, name, request] { checkSize(name, request); };
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, checkThisSize);
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, checkThisSize);
    const QFileInfo target(asked.temporaryPath);
    request->setDownloadDirectory(target.absolutePath());
    request->setDownloadFileName(target.fileName());
    request->accept();
}

void PictureSaveJob::handleDownloadFinished(const QString& name, QWebEngineDownloadRequest* request)
{
    const auto found = m_askedByName.constFind(name);
    if (found == m_askedByName.constEnd())
        return;
    const Asked asked = *found;
    const Row& r = m_rows[std::size_t(asked.row)];
    if (r.attempt != asked.attempt || r.state != State::Saving || r.download != request) {
        removeAttempt(asked.temporaryPath); // an attempt that was cancelled or replaced
        return release(name);
    }
    switch (request->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        keep(asked.row);
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        request->cancel(); // lets go of what it kept to resume
        removeAttempt(asked.temporaryPath);
        fail(asked.row,
             tr("cannot save %1: %2").arg(shownAddress(r.url), interruptReason(*request)));
        break;
    default:
        removeAttempt(asked.temporaryPath);
        fail(asked.row, tr("cannot save %1: the download was cancelled").arg(shownAddress(r.url)));
    }
    launchWaiting();
    release(name);
}

void PictureSaveJob::keep(int row)
{
    Row& r = m_rows[std::size_t(row)];
    const PictureContent content = sniffPictureContent(r.temporaryPath);
    if (content.pictureType.isEmpty()) {
        removeAttempt(r.temporaryPath);
        return fail(row, tr("cannot save %1: not a picture: the file holds %2")
                             .arg(shownAddress(r.url), content.otherType));
    }
    // Named for what it holds: a server's word for the type may be wrong.
    const std::string name = pictureFileName(r.url.toString(QUrl::FullyEncoded).toStdString(),
                                             content.pictureType.toStdString());
    QFile::setPermissions(r.temporaryPath, newFilePermissions());
    const std::filesystem::path from = r.temporaryPath.toStdU16String();
    for (int number = 1; number <= kMaxFileNameNumber; ++number) {
        const QString target =
            QDir(m_folder).filePath(QString::fromStdString(numberedFileName(name, number)));
        std::error_code error;
        switch (renameWithoutReplacing(from, target.toStdU16String(), error)) {
        case RenameOutcome::Renamed:
            r.savedPath = target;
            setState(row, State::Saved);
            return;
        case RenameOutcome::Taken:
            continue;
        case RenameOutcome::Failed:
            removeAttempt(r.temporaryPath);
            return fail(row, tr("cannot save %1 as %2: %3")
                                 .arg(shownAddress(r.url), QDir::toNativeSeparators(target),
                                      QString::fromStdString(error.message())));
        }
    }
    removeAttempt(r.temporaryPath);
    fail(row, tr("cannot save %1: every name for %2 is taken in %3")
                  .arg(shownAddress(r.url), QString::fromStdString(name),
                       QDir::toNativeSeparators(m_folder)));
}

void PictureSaveJob::dropStalled()
{
    if (m_askedByName.isEmpty())
        return;
    const qint64 now = m_clock.elapsed();
    std::vector<int> stalled;
    for (const Asked& asked : std::as_const(m_askedByName)) {
        Row& r = m_rows[std::size_t(asked.row)];
        if (r.attempt != asked.attempt || r.state != State::Saving || !r.download)
            continue;
        if (r.download->receivedBytes() != r.lastBytes) {
            r.lastBytes = r.download->receivedBytes();
            r.lastProgressMs = now;
        } else if (now - r.lastProgressMs >= m_stallLimitMs) {
            stalled.push_back(asked.row);
        }
    }
    for (const int row : stalled)
        giveUp(row, tr("cannot save %1: nothing came for %2 seconds")
                        .arg(shownAddress(m_rows[std::size_t(row)].url))
                        .arg(m_stallLimitMs / 1000.0));
    if (!stalled.empty())
        launchWaiting();
}

void PictureSaveJob::checkSize(const QString& name, QWebEngineDownloadRequest* request)
{
    const auto found = m_askedByName.constFind(name);
    if (found == m_askedByName.constEnd())
        return;
    const Row& r = m_rows[std::size_t(found->row)];
    if (r.attempt != found->attempt || r.state != State::Saving || r.download != request ||
        std::max(request->totalBytes(), request->receivedBytes()) <= m_maxBytes)
        return;
    giveUp(found->row,
           tr("cannot save %1: larger than %2 bytes").arg(shownAddress(r.url)).arg(m_maxBytes));
    launchWaiting();
}

void PictureSaveJob::giveUp(int row, const QString& reason)
{
    Row& r = m_rows[std::size_t(row)];
    fail(row, reason);
    // Cancelled after the row failed, so that the engine's answer only removes the files.
    if (r.download)
        r.download->cancel();
    removeAttempt(r.temporaryPath);
}

void PictureSaveJob::release(const QString& name)
{
    if (m_askedByName.remove(name) && m_askedByName.isEmpty())
        emit downloadsReleased();
}

void PictureSaveJob::fail(int row, const QString& reason)
{
    m_rows[std::size_t(row)].problem = reason;
    setState(row, State::Failed);
}

void PictureSaveJob::setState(int row, State state)
{
    const auto isDone = [](State s) {
        return s == State::Saved || s == State::Failed || s == State::Cancelled;
    };
    Row& r = m_rows[std::size_t(row)];
    const State before = r.state;
    r.state = state;
    m_saving += int(state == State::Saving) - int(before == State::Saving);
    m_done += int(isDone(state)) - int(isDone(before));
    emit rowChanged(row);
    if (isDone(state) != isDone(before))
        emit progress(m_done, count());
    if (isDone(state) && finished()) {
        m_stallCheck->stop();
        emit jobFinished();
    }
}

QString PictureSaveJob::folderProblem() const
{
    const QFileInfo folder(m_folder);
    const QString shown = QDir::toNativeSeparators(m_folder);
    if (!folder.exists())
        return tr("cannot write to %1: no such folder").arg(shown);
    if (!folder.isDir())
        return tr("cannot write to %1: not a folder").arg(shown);
    QTemporaryFile probe(QDir(m_folder).filePath(kTemporaryPattern));
    if (!probe.open())
        return tr("cannot write to %1: %2").arg(shown, probe.errorString());
    return {};
}

bool PictureSaveJob::mayRead(const QUrl& picture) const
{
    // As the gallery decides: local pictures only for a local page.
    LocalFilePolicy policy(BrowserRole::GeneratedPage);
    policy.setCapturedPage(m_page->url());
    return policy.allows(picture, QWebEngineUrlRequestInfo::ResourceTypeImage, m_page->url());
}

} // namespace varrow
