#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <vector>

class QTimer;
class QWebEngineDownloadRequest;
class QWebEnginePage;

namespace varrow
{

// Saves pictures into one folder through the engine's own downloads of a page, so the page's
// cookies and referrer apply. Each picture is written under a temporary name in the folder and
// renamed to its final name only when complete and when its bytes are a picture; a final name
// never replaces an existing file (" (2)", " (3)", ... are added), is made safe from the page's
// address (no separators, no "..", no control characters, no reserved names, length capped), and
// never lies outside the folder. A picture larger than the size limit is given up.
class PictureSaveJob : public QObject
{
    Q_OBJECT

public:
    enum class State { Waiting, Saving, Saved, Failed, Cancelled };

    // A job for `pictures`, in this order, into `folder`; nothing starts before start().
    PictureSaveJob(QWebEnginePage& page, QString folder, std::vector<QUrl> pictures,
                   QObject* parent = nullptr);
    ~PictureSaveJob() override; // cancels what still runs

    void start();
    // Stops every picture not yet saved: they become Cancelled and leave no file behind.
    void cancel();
    // Saves again every picture that Failed or was Cancelled.
    void retry();

    int count() const;
    State state(int row) const;
    // The saved file, for a Saved row.
    QString savedPath(int row) const;
    // Why the row Failed (a readable reason naming the file or address).
    QString problem(int row) const;
    bool finished() const; // no row Waiting or Saving

    // Whether the engine still works on a download of this job, also one that was cancelled:
    // until it lets go, it may still create its intermediate file, which it then removes.
    bool holdsDownloads() const;

signals:
    void rowChanged(int row);
    // Rows Saved, Failed or Cancelled, of all rows.
    void progress(int done, int total);
    // Every row is Saved, Failed or Cancelled.
    void jobFinished();
    // The engine has let go of the job's last download (see holdsDownloads).
    void downloadsReleased();

public:
    // How many pictures download at once, so that a long list does not flood the engine.
    static constexpr int kMaxRunning = 6;
    // How long the engine may take to start a download it was asked for.
    static constexpr int kStartPatienceMs = 30000;
    // How long a download may go without a byte before the job gives it up: a server that holds
    // the connection open would otherwise keep the job from ever finishing.
    static constexpr int kStallLimitMs = 60000;
    void setStallLimit(int milliseconds);
    // A picture larger than this many bytes (kDefaultMaxPictureBytes unless told) is given up as
    // soon as the server announces or sends more: a server may send without end.
    void setMaxBytes(qint64 bytes);

private:
    struct Row {
        QUrl url;
        State state = State::Waiting;
        QString savedPath;
        QString problem;
        // The file reserved in the folder for this attempt; the engine downloads into it.
        QString temporaryPath;
        QPointer<QWebEngineDownloadRequest> download;
        unsigned attempt = 0;
        qint64 lastBytes = -1;     // received when last looked at
        qint64 lastProgressMs = 0; // on m_clock
    };
    // A download asked of the engine, until the attempt ends.
    struct Asked {
        int row;
        unsigned attempt;
        QString temporaryPath;
    };

    void launchWaiting();
    void launch(int row);
    // The temporary name under which the job asked for `request`, or empty for another's
    // download: the name it suggests, or, for the download that the engine makes of an address it
    // cannot request (one of no page, named after the address, which then fails with the engine's
    // reason), the name of the row that awaits that address.
    QString askedName(const QWebEngineDownloadRequest& request) const;
    void handleDownloadRequested(QWebEngineDownloadRequest* request);
    // `name` is the temporary file's name, under which the download was asked for.
    void handleDownloadFinished(const QString& name, QWebEngineDownloadRequest* request);
    // Gives the downloaded file its final name, the first free one, when it holds a picture.
    void keep(int row);
    void fail(int row, const QString& reason);
    // Gives up the downloads that received nothing for the stall limit.
    void dropStalled();
    // Gives up the row's download when it is larger than the limit.
    void checkSize(const QString& name, QWebEngineDownloadRequest* request);
    // Fails a Saving row with `reason`, stops its download and removes its files.
    void giveUp(int row, const QString& reason);
    // Forgets the download asked for under `name`, and tells when it was the last.
    void release(const QString& name);
    void setState(int row, State state);
    // Why no file can be written in the folder, or empty when one can.
    QString folderProblem() const;
    // Whether the engine may read this picture for this page (file: only for a local page).
    bool mayRead(const QUrl& picture) const;

    QPointer<QWebEnginePage> m_page;
    QString m_folder;
    std::vector<Row> m_rows;
    QHash<QString, Asked> m_askedByName; // by the temporary file's name
    int m_saving = 0;
    int m_done = 0;
    std::size_t m_nextWaiting = 0; // rows before it are not Waiting
    bool m_started = false;
    int m_stallLimitMs = kStallLimitMs;
    qint64 m_maxBytes;
    QTimer* m_stallCheck;
    QElapsedTimer m_clock;
};

} // namespace varrow
