// Saves pictures served on 127.0.0.1 through the real engine's downloads and checks what lies in
// the folder afterwards, byte for byte.
#include "shell/pictures/PictureSaveJob.h"

#include "tests/platform/PermissionsBind.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace varrow::testing
{
namespace
{

constexpr int kPatienceMs = 30000;
using State = PictureSaveJob::State;

// Distinct bytes for each picture, so that a file on disk tells which picture it holds.
QByteArray pictureBytes(const QString& name, int size = 3000)
{
    QByteArray bytes = "\x89PNG\r\n\x1a\n" + name.toUtf8() + '\0';
    while (bytes.size() < size)
        bytes += char(bytes.size() * 7 + name.size());
    return bytes;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

class PictureSaveJobTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoopbackOnly::install();
        server.serve("/page.html", "<body>pictures</body>");
        ASSERT_TRUE(open(server.address("/page.html")));
        ASSERT_TRUE(folder.isValid());
    }

    bool open(const QString& address)
    {
        QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
        page.load(QUrl(address));
        return loaded.wait(kPatienceMs) && loaded.first().first().toBool();
    }

    QUrl picture(const QString& path, const QByteArray& bytes, const QByteArray& type = "image/png")
    {
        server.serve(path, bytes, type);
        return QUrl(server.address(path));
    }

    // Runs the job to its end; false when it never got there.
    static bool finish(PictureSaveJob& job)
    {
        QSignalSpy finished(&job, &PictureSaveJob::jobFinished);
        job.start();
        return job.finished() || finished.wait(kPatienceMs);
    }

    QStringList filesInFolder() const
    {
        return QDir(folder.path())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QString inFolder(const QString& name) const { return QDir(folder.path()).filePath(name); }

    LocalWebServer server;
    QWebEnginePage page;
    QTemporaryDir folder;
};

TEST_F(PictureSaveJobTest, SavesEachPictureUnderItsNameWithTheServedBytes)
{
    const mode_t umaskBefore = umask(022);
    const QByteArray photo = pictureBytes("photo");
    const QByteArray logo =
        "<?xml version=\"1.0\"?>\n<!--" + QByteArray(50000, '-').replace("--", "- ") +
        "-->\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"/>";
    const QByteArray dataPng = pictureBytes("data", 100);
    PictureSaveJob job(page, folder.path(),
                       {picture("/images/photo.jpg", photo, "image/jpeg"),
                        picture("/logo", logo, "image/svg+xml"),
                        QUrl("data:image/png;base64," + dataPng.toBase64())});
    QSignalSpy progress(&job, &PictureSaveJob::progress);
    ASSERT_TRUE(finish(job));

    const QString expected[] = {"photo.jpg", "logo.svg", "picture.png"};
    const QByteArray bytes[] = {photo, logo, dataPng};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(job.state(row), State::Saved) << job.problem(row).toStdString();
        EXPECT_EQ(job.savedPath(row), inFolder(expected[row]));
        EXPECT_EQ(fileBytes(inFolder(expected[row])), bytes[row]);
    }
    EXPECT_EQ(filesInFolder(), QStringList({"logo.svg", "photo.jpg", "picture.png"}));
    // Readable as any new file of the person's is, not only by its owner as the engine writes it.
    umask(umaskBefore);
    EXPECT_TRUE(QFileInfo(inFolder("photo.jpg")).permissions().testFlag(QFile::ReadOther));
    ASSERT_EQ(progress.size(), 3);
    EXPECT_EQ(progress.last(), QVariantList({3, 3}));
}

TEST_F(PictureSaveJobTest, TakenNamesGetANumberAndExistingFilesKeepTheirBytes)
{
    QFile existing(inFolder("photo.png"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("the person's own photo");
    existing.close();
    const QByteArray first = pictureBytes("first"), second = pictureBytes("second");
    PictureSaveJob job(page, folder.path(),
                       {picture("/a/photo.png", first), picture("/b/photo.png", second)});
    ASSERT_TRUE(finish(job));

    EXPECT_EQ(fileBytes(inFolder("photo.png")), "the person's own photo");
    EXPECT_EQ(filesInFolder(), QStringList({"photo (2).png", "photo (3).png", "photo.png"}));
    // Which of the two finished first decides its number; each file holds one of them whole.
    const QByteArray saved[] = {fileBytes(job.savedPath(0)), fileBytes(job.savedPath(1))};
    EXPECT_EQ(saved[0], first);
    EXPECT_EQ(saved[1], second);
    EXPECT_NE(job.savedPath(0), job.savedPath(1));
}

TEST_F(PictureSaveJobTest, HostileNamesStayInsideTheFolderAndAreMadeSafe)
{
    const QString longName = QString(1000, 'n') + ".png";
    const struct {
        QString path;
        QString expected;
    } cases[] = {
        {"/x/..%2F..%2Fescape.png", "_._escape.png"},
        {"/x/CON.png", "_CON.png"},
        {"/x/a%01b%0Ac%7F.png", "a_b_c_.png"},
        {"/x/" + longName, QString(236, 'n') + ".png"},
    };
    std::vector<QUrl> pictures;
    for (const auto& c : cases)
        pictures.push_back(picture(c.path, pictureBytes(c.expected)));
    PictureSaveJob job(page, folder.path(), pictures);
    ASSERT_TRUE(finish(job));

    for (int row = 0; row < job.count(); ++row) {
        SCOPED_TRACE(cases[row].path.left(60).toStdString());
        ASSERT_EQ(job.state(row), State::Saved) << job.problem(row).toStdString();
        EXPECT_EQ(job.savedPath(row), inFolder(cases[row].expected));
        EXPECT_EQ(fileBytes(job.savedPath(row)), pictureBytes(cases[row].expected));
    }
    EXPECT_EQ(filesInFolder().size(), job.count());
    QDir parent(folder.path());
    parent.cdUp();
    EXPECT_FALSE(parent.exists("escape.png"));
}

TEST_F(PictureSaveJobTest, FailedDownloadsNameTheAddressAndLeaveNoFile)
{
    const QByteArray whole = pictureBytes("cut", 200000);
    server.serveCut("/cut.png", whole, 50000, "image/png");
    const QUrl missing(server.address("/missing.png")), cut(server.address("/cut.png"));
    const QByteArray good = pictureBytes("good");
    PictureSaveJob job(page, folder.path(), {missing, cut, picture("/good.png", good)});
    ASSERT_TRUE(finish(job));

    for (const auto& [row, url] : {std::pair{0, missing}, std::pair{1, cut}}) {
        SCOPED_TRACE(url.toString().toStdString());
        EXPECT_EQ(job.state(row), State::Failed);
        EXPECT_TRUE(job.problem(row).contains(url.toString())) << job.problem(row).toStdString();
        EXPECT_TRUE(job.problem(row).endsWith(row == 0
                                                  ? "The server does not have the requested data"
                                                  : "the connection closed before the whole "
                                                    "picture came"))
            << job.problem(row).toStdString();
        EXPECT_TRUE(job.savedPath(row).isEmpty());
    }
    EXPECT_EQ(job.state(2), State::Saved);
    // No torn file under a final name, no temporary file left.
    EXPECT_EQ(filesInFolder(), QStringList({"good.png"}));
    EXPECT_EQ(fileBytes(inFolder("good.png")), good);
}

TEST_F(PictureSaveJobTest, AnAddressTheEngineCannotRequestFailsWithItsReason)
{
    // The engine makes a download of no page, under a name of its own, for such an address.
    const QUrl refused(server.address("/img/dir%00x/ok.png"));
    const QByteArray good = pictureBytes("good");
    PictureSaveJob job(page, folder.path(), {refused, picture("/img/good.png", good)});
    ASSERT_TRUE(finish(job));

    EXPECT_EQ(job.state(0), State::Failed);
    EXPECT_TRUE(job.problem(0).startsWith("cannot save " + refused.toString() + ": "))
        << job.problem(0).toStdString();
    EXPECT_EQ(job.state(1), State::Saved) << job.problem(1).toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return filesInFolder() == QStringList{"good.png"}; }, 5000))
        << filesInFolder().join(' ').toStdString();
}

TEST_F(PictureSaveJobTest, APictureLargerThanTheLimitIsGivenUpAndLeavesNoFile)
{
    constexpr qint64 kLimit = 100000;
    server.serveEndless("/endless.png", pictureBytes("endless", 100), "image/png");
    // Announced larger than the limit, and never sent whole.
    server.serveSlowly("/announced.png", pictureBytes("announced", 2 * kLimit), 1000, -1,
                       "image/png");
    const QByteArray small = pictureBytes("small", kLimit);
    const QUrl endless(server.address("/endless.png")), announced(server.address("/announced.png"));
    PictureSaveJob job(page, folder.path(), {endless, announced, picture("/small.png", small)});
    job.setMaxBytes(kLimit);
    ASSERT_TRUE(finish(job));

    for (const auto& [row, url] : {std::pair{0, endless}, std::pair{1, announced}}) {
        EXPECT_EQ(job.state(row), State::Failed);
        EXPECT_EQ(job.problem(row), "cannot save " + url.toString() + ": larger than 100000 bytes");
    }
    EXPECT_EQ(job.state(2), State::Saved) << job.problem(2).toStdString();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return filesInFolder() == QStringList{"small.png"}; }, kPatienceMs))
        << filesInFolder().join(' ').toStdString();
    EXPECT_EQ(fileBytes(inFolder("small.png")), small);
}

TEST_F(PictureSaveJobTest, ContentThatIsNoPictureFailsAndLeavesNoFile)
{
    const struct {
        QString path;
        QByteArray bytes;
        QByteArray type;
        QString holds;
    } notPictures[] = {
        {"/run.sh", "#!/bin/sh\necho hostile\n", "image/png", "application/x-shellscript"},
        {"/page.png", "<!DOCTYPE html><html><body><p>a page</p></body></html>", "image/png",
         "text/html"},
        {"/inline-svg.html", "<body><svg width='1' height='1'></svg></body>", "image/svg+xml",
         "text/html"},
        {"/wrapped.svg", "<?xml version=\"1.0\"?><wrapper><svg/></wrapper>", "image/svg+xml",
         "text whose root is no <svg>"},
        {"/empty.gif", "", "image/gif", "application/x-zerosize"},
    };
    std::vector<QUrl> pictures;
    for (const auto& c : notPictures)
        pictures.push_back(picture(c.path, c.bytes, c.type));
    PictureSaveJob job(page, folder.path(), pictures);
    ASSERT_TRUE(finish(job));

    for (int row = 0; row < job.count(); ++row) {
        SCOPED_TRACE(notPictures[row].path.toStdString());
        EXPECT_EQ(job.state(row), State::Failed);
        EXPECT_EQ(job.problem(row).toStdString(),
                  ("cannot save " + pictures[std::size_t(row)].toString() +
                   ": not a picture: the file holds " + notPictures[row].holds)
                      .toStdString());
    }
    EXPECT_EQ(filesInFolder(), QStringList());
}

TEST_F(PictureSaveJobTest, DestroyingTheJobLeavesNoPartialFile)
{
    server.serveSlowly("/held.png", pictureBytes("held", 100000), 20000, -1, "image/png");
    auto job = std::make_unique<PictureSaveJob>(
        page, folder.path(), std::vector<QUrl>{QUrl(server.address("/held.png"))});
    job->start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !filesInFolder().filter(".download").isEmpty(); },
                                kPatienceMs));
    job.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return filesInFolder().isEmpty(); }, kPatienceMs))
        << filesInFolder().join(' ').toStdString();
}

TEST_F(PictureSaveJobTest, RetrySavesWhatFailedOnceTheServerAnswers)
{
    const QUrl late(server.address("/late.png"));
    const QByteArray saved = pictureBytes("saved");
    PictureSaveJob job(page, folder.path(), {picture("/saved.png", saved), late});
    ASSERT_TRUE(finish(job));
    ASSERT_EQ(job.state(1), State::Failed);

    const QByteArray lateBytes = pictureBytes("late");
    server.serve("/late.png", lateBytes, "image/png");
    QSignalSpy finished(&job, &PictureSaveJob::jobFinished);
    job.retry();
    ASSERT_TRUE(job.finished() || finished.wait(kPatienceMs));

    EXPECT_EQ(job.state(0), State::Saved);
    EXPECT_EQ(job.state(1), State::Saved);
    EXPECT_TRUE(job.problem(1).isEmpty());
    EXPECT_EQ(filesInFolder(), QStringList({"late.png", "saved.png"}));
    EXPECT_EQ(fileBytes(inFolder("late.png")), lateBytes);
}

TEST_F(PictureSaveJobTest, CancelLeavesNeitherTemporaryNorFinalFiles)
{
    // The server sends part of each picture and holds the rest; more pictures than run at once.
    std::vector<QUrl> pictures;
    for (int i = 0; i < PictureSaveJob::kMaxRunning + 3; ++i) {
        const QString path = QString("/held-%1.png").arg(i);
        server.serveSlowly(path, pictureBytes(path, 100000), 20000, -1, "image/png");
        pictures.emplace_back(server.address(path));
    }
    PictureSaveJob job(page, folder.path(), pictures);
    QSignalSpy finished(&job, &PictureSaveJob::jobFinished);
    job.start();
    // The engine is writing the first pictures: their files are in the folder.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return filesInFolder().filter(".download").size() == PictureSaveJob::kMaxRunning; },
        kPatienceMs))
        << filesInFolder().join(' ').toStdString();
    EXPECT_EQ(job.state(PictureSaveJob::kMaxRunning), State::Waiting);

    job.cancel();
    EXPECT_TRUE(job.finished());
    EXPECT_EQ(finished.size(), 1);
    for (int row = 0; row < job.count(); ++row)
        EXPECT_EQ(job.state(row), State::Cancelled);
    EXPECT_TRUE(QTest::qWaitFor([&] { return filesInFolder().isEmpty(); }, kPatienceMs))
        << filesInFolder().join(' ').toStdString();
    QTest::qWait(500); // nothing comes back once the engine has let go
    EXPECT_EQ(filesInFolder(), QStringList());
}

TEST_F(PictureSaveJobTest, ADownloadThatStallsIsGivenUp)
{
    const QUrl held(server.address("/held.png"));
    server.serveSlowly("/held.png", pictureBytes("held", 100000), 20000, -1, "image/png");
    PictureSaveJob job(page, folder.path(), {held});
    job.setStallLimit(1000);
    ASSERT_TRUE(finish(job));
    EXPECT_EQ(job.state(0), State::Failed);
    EXPECT_TRUE(job.problem(0).contains(held.toString() + ": nothing came for 1 seconds"))
        << job.problem(0).toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return filesInFolder().isEmpty(); }, kPatienceMs))
        << filesInFolder().join(' ').toStdString();
}

TEST_F(PictureSaveJobTest, AFolderThatCannotBeWrittenFailsEveryRowNamingIt)
{
    if (!permissionsBindUs())
        GTEST_SKIP() << "this process may write any folder";
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    PictureSaveJob job(
        page, folder.path(),
        {picture("/one.png", pictureBytes("one")), picture("/two.png", pictureBytes("two"))});
    ASSERT_TRUE(finish(job));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    for (int row = 0; row < job.count(); ++row) {
        EXPECT_EQ(job.state(row), State::Failed);
        EXPECT_TRUE(job.problem(row).contains(folder.path())) << job.problem(row).toStdString();
    }
    EXPECT_EQ(filesInFolder(), QStringList());
}

TEST_F(PictureSaveJobTest, AMissingFolderFailsEveryRowNamingIt)
{
    const QString absent = inFolder("absent");
    PictureSaveJob job(page, absent, {picture("/one.png", pictureBytes("one"))});
    ASSERT_TRUE(finish(job));
    EXPECT_EQ(job.state(0), State::Failed);
    EXPECT_TRUE(job.problem(0).contains(absent)) << job.problem(0).toStdString();
    EXPECT_FALSE(QFileInfo::exists(absent));
}

TEST_F(PictureSaveJobTest, LocalPicturesAreSavedOnlyForALocalPage)
{
    QTemporaryDir local;
    const QByteArray bytes = pictureBytes("local");
    QFile file(local.filePath("local.png"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QUrl localPicture = QUrl::fromLocalFile(file.fileName());

    // The served page may not have its local file read.
    PictureSaveJob fromWeb(page, folder.path(), {localPicture});
    ASSERT_TRUE(finish(fromWeb));
    EXPECT_EQ(fromWeb.state(0), State::Failed);
    EXPECT_EQ(filesInFolder(), QStringList());

    QFile pageFile(local.filePath("page.html"));
    ASSERT_TRUE(pageFile.open(QIODevice::WriteOnly));
    pageFile.write("<body><img src=\"local.png\"></body>");
    pageFile.close();
    ASSERT_TRUE(open(QUrl::fromLocalFile(pageFile.fileName()).toString()));
    PictureSaveJob fromDisk(page, folder.path(), {localPicture});
    ASSERT_TRUE(finish(fromDisk));
    EXPECT_EQ(fromDisk.state(0), State::Saved) << fromDisk.problem(0).toStdString();
    EXPECT_EQ(fileBytes(inFolder("local.png")), bytes);
}

TEST_F(PictureSaveJobTest, OtherDownloadsOfTheProfileAreLeftToTheirOwner)
{
    QTemporaryDir elsewhere;
    const QByteArray other = pictureBytes("other");
    const QUrl otherUrl = picture("/other.png", other);
    // Someone else's download on the same profile, accepted by its owner.
    QMetaObject::Connection owner =
        QObject::connect(page.profile(), &QWebEngineProfile::downloadRequested, &page,
                         [&](QWebEngineDownloadRequest* request) {
                             if (request->url() != otherUrl)
                                 return;
                             request->setDownloadDirectory(elsewhere.path());
                             request->setDownloadFileName("theirs.png");
                             request->accept();
                         });
    PictureSaveJob job(page, folder.path(), {picture("/mine.png", pictureBytes("mine"))});
    page.download(otherUrl, "theirs.png");
    ASSERT_TRUE(finish(job));
    QObject::disconnect(owner);

    EXPECT_EQ(job.state(0), State::Saved);
    EXPECT_EQ(filesInFolder(), QStringList({"mine.png"}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return fileBytes(QDir(elsewhere.path()).filePath("theirs.png")) == other; },
        kPatienceMs));
}

} // namespace
} // namespace varrow::testing
