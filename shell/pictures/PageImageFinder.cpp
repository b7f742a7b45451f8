#include "shell/pictures/PageImageFinder.h"

#include "platform/browser/WebEngineBrowser.h"
#include "shell/pictures/PictureContent.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <memory>

namespace varrow
{
namespace
{

const QString kBytesScriptName = QStringLiteral("varrow-picture-bytes");
// How often the engine is asked whether the requests the document does not name gave pictures,
// and for how long: an answer that never comes is no picture.
constexpr int kCheckIntervalMs = 100;
constexpr int kCheckPolls = 100;

// The finder's scripts, compiled in beside this file.
QString scriptText(const QString& name)
{
    QFile file(QStringLiteral(":/varrow/pictures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("The picture finder's script %s is missing", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

const QString& finderScript()
{
    static const QString text = scriptText(QStringLiteral("PageImageFinder.js"));
    return text;
}

const QString& checkScript()
{
    static const QString text = scriptText(QStringLiteral("PagePictureCheck.js"));
    return text;
}

// Keeps each document's byte counts from its creation on, in every frame.
void watchByteCounts(QWebEnginePage& page)
{
    QWebEngineScript script;
    script.setName(kBytesScriptName);
    script.setSourceCode(scriptText(QStringLiteral("PageImageBytes.js")));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    page.scripts().insert(script);
}

// The byte count of an entry of the script's findings, when it gives one.
std::optional<std::int64_t> byteCount(const QJsonObject& entry)
{
    const QJsonValue size = entry.value(QStringLiteral("bytes"));
    if (!size.isDouble() || size.toDouble() <= 0)
        return std::nullopt;
    return std::int64_t(size.toDouble());
}

// One picture entry of the script's findings as the sightings it stands for: one for each way
// it was found, the first with what is known of it, and one for the frame it was found in.
void addPicture(PageImageInventory& inventory, const QJsonObject& entry)
{
    bool first = true;
    for (const QJsonValue& label : entry.value(QStringLiteral("found")).toArray()) {
        const auto how = foundByLabel(label.toString().toStdString());
        if (!how)
            continue;
        ImageSighting seen;
        seen.url = entry.value(QStringLiteral("url")).toString().toStdString();
        seen.how = *how;
        seen.places = 0; // the places are the first sighting's
        if (first) {
            seen.width = entry.value(QStringLiteral("width")).toInt();
            seen.height = entry.value(QStringLiteral("height")).toInt();
            seen.bytes = byteCount(entry);
            seen.alt = entry.value(QStringLiteral("alt")).toString().toStdString();
            seen.places = entry.value(QStringLiteral("places")).toInt();
        }
        const bool inFrame = first && entry.value(QStringLiteral("inFrame")).toBool();
        first = false;
        inventory.add(seen);
        if (inFrame) {
            seen.how = FoundBy::Frame;
            seen.places = 0; // the same place as the sighting it goes with
            inventory.add(std::move(seen));
        }
    }
}

// The script's answer read as a JSON object; an answer with "error", or none, gives its reason.
QJsonObject readAnswer(const QString& answer, QString& problem)
{
    QJsonParseError error;
    const QJsonObject read = QJsonDocument::fromJson(answer.toUtf8(), &error).object();
    if (answer.isEmpty())
        problem = PageImageFinder::tr("the browser engine gave no answer");
    else if (error.error != QJsonParseError::NoError)
        problem = PageImageFinder::tr("the browser engine's answer cannot be read: %1")
                      .arg(error.errorString());
    else if (read.contains(QStringLiteral("error")))
        problem = read.value(QStringLiteral("error")).toString();
    return read;
}

// The bytes a data: address holds, or nothing for another address.
std::optional<QByteArray> dataAddressBytes(const std::string& url)
{
    const QByteArray address = QByteArray::fromStdString(url);
    const qsizetype comma = address.indexOf(',');
    if (!address.startsWith("data:") || comma < 0)
        return std::nullopt;
    const QByteArray bytes = QByteArray::fromPercentEncoding(address.mid(comma + 1));
    return address.left(comma).toLower().endsWith(";base64") ? QByteArray::fromBase64(bytes)
                                                             : bytes;
}

// Gives each picture in a file on this machine or in a data: address, whoever found it, its type
// from its own bytes and its byte count: the engine's resource timing gives neither for them.
// Only regular files are looked at, so an address that names a device or a pipe cannot stall the
// window.
void addContentFacts(PageImageInventory& inventory)
{
    for (std::size_t i = 0; i < inventory.images().size(); ++i) {
        const std::string& url = inventory.images()[i].url;
        if (const auto bytes = dataAddressBytes(url)) {
            inventory.addFacts(url, sniffPictureBytes(*bytes).pictureType.toStdString(),
                               bytes->size());
            continue;
        }
        const QUrl address(QString::fromStdString(url));
        if (!address.isLocalFile())
            continue;
        const QFileInfo file(address.toLocalFile());
        if (file.isFile())
            inventory.addFacts(url, sniffPictureContent(file.filePath()).pictureType.toStdString(),
                               file.size());
    }
}

} // namespace

PageImageFinder::PageImageFinder(WebEngineBrowser& browser)
    : QObject(browser.page()), m_page(*browser.page())
{
    watchByteCounts(m_page);
    connect(&m_page, &QWebEnginePage::loadStarted, this, &PageImageFinder::handleLoadStarted);
    connect(&browser, &WebEngineBrowser::imageRequested, this, &PageImageFinder::noteImageRequest);
}

// One listing of the page's pictures, from the first answer to the last piece.
struct PageImageFinder::Reading {
    PageImageInventory inventory;
    Done done;
    int id = 0;
    QSet<QString> icons;                  // the icons the document names
    QHash<QString, std::int64_t> bytes;   // of the resources that are no picture of the document
    std::vector<ImageSighting> unchecked; // requests the document does not name
};

void PageImageFinder::noteImageRequest(const QUrl& address, const QUrl& document, bool icon)
{
    const Request request{address, document.adjusted(QUrl::RemoveFragment), icon};
    if (!m_requestedSet.contains(request)) {
        m_requestedSet.insert(request);
        m_requested.push_back(request);
    }
}

void PageImageFinder::handleLoadStarted()
{
    m_requested.clear();
    m_requestedSet.clear();
    emit pageChanged();
}

namespace
{

// Runs `script` in the page's application world and hands its text answer to `handle` of the
// finder from the event loop: the engine may answer while the page is being destroyed, and the
// finder, its child, is gone by the time a queued call runs.
template <typename Handle>
void runForFinder(QWebEnginePage& page, const QString& script, PageImageFinder* finder,
                  Handle handle)
{
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld,
                       [self = QPointer(finder), handle](const QVariant& answer) {
                           QMetaObject::invokeMethod(
                               self,
                               [self, handle, text = answer.toString()] { handle(*self, text); },
                               Qt::QueuedConnection);
                       });
}

} // namespace

void PageImageFinder::find(PageImageInventory inventory, Done done)
{
    auto reading = std::make_shared<Reading>();
    reading->inventory = std::move(inventory);
    reading->done = std::move(done);
    runForFinder(m_page, finderScript(), this,
                 [reading](PageImageFinder& self, const QString& answer) {
                     self.handleSummary(reading, answer);
                 });
}

void PageImageFinder::handleSummary(const std::shared_ptr<Reading>& reading, const QString& answer)
{
    QString problem;
    const QJsonObject summary = readAnswer(answer, problem);
    if (!problem.isEmpty())
        return reading->done(std::move(reading->inventory), problem);
    reading->id = summary.value(QStringLiteral("id")).toInt();
    if (summary.value(QStringLiteral("count")).toInt() == 0)
        return finishReading(reading);
    readPiece(reading, 0);
}

void PageImageFinder::readPiece(const std::shared_ptr<Reading>& reading, int start)
{
    const QString script =
        QStringLiteral("window.__varrowFindingsPiece(%1, %2)").arg(reading->id).arg(start);
    runForFinder(m_page, script, this, [reading](PageImageFinder& self, const QString& answer) {
        self.handlePiece(reading, answer);
    });
}

void PageImageFinder::handlePiece(const std::shared_ptr<Reading>& reading, const QString& answer)
{
    QString problem;
    const QJsonObject piece = readAnswer(answer, problem);
    if (!problem.isEmpty())
        return reading->done(std::move(reading->inventory), problem);
    const QJsonArray entries = piece.value(QStringLiteral("entries")).toArray();
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        const QString address = entry.value(QStringLiteral("url")).toString();
        if (address.isEmpty())
            continue;
        if (!entry.contains(QStringLiteral("found"))) {
            if (const auto size = byteCount(entry))
                reading->bytes.insert(address, *size);
            continue;
        }
        if (entry.value(QStringLiteral("icon")).toBool())
            reading->icons.insert(address);
        addPicture(reading->inventory, entry);
    }
    const int next = piece.value(QStringLiteral("next")).toInt();
    if (entries.isEmpty() || next <= 0)
        return reading->done(std::move(reading->inventory),
                             tr("the browser engine's answer cannot be read: no findings"));
    if (piece.value(QStringLiteral("more")).toBool())
        return readPiece(reading, next);
    finishReading(reading);
}

void PageImageFinder::finishReading(const std::shared_ptr<Reading>& reading)
{
    const QUrl onShow = m_page.url().adjusted(QUrl::RemoveFragment);
    QJsonArray unchecked;
    for (const Request& requested : m_requested) {
        if (!requested.document.isEmpty() && requested.document != onShow)
            continue; // a late request of the page before
        const QString address = requested.address.toString(QUrl::FullyEncoded);
        if (requested.icon && !reading->icons.contains(address))
            continue; // the engine's own guess at an icon the page does not name
        ImageSighting seen;
        seen.url = address.toStdString();
        seen.how = FoundBy::Network;
        if (const auto size = reading->bytes.constFind(address); size != reading->bytes.constEnd())
            seen.bytes = *size;
        seen.places = 0; // a request is no place of its own
        if (reading->inventory.find(seen.url)) {
            reading->inventory.add(std::move(seen));
        } else {
            unchecked.append(address);
            reading->unchecked.push_back(std::move(seen));
        }
    }
    if (reading->unchecked.empty())
        return complete(*reading);
    const QString script =
        checkScript() + '(' +
        QString::fromUtf8(QJsonDocument(unchecked).toJson(QJsonDocument::Compact)) + ')';
    runForFinder(m_page, script, this, [reading](PageImageFinder& self, const QString& answer) {
        QString problem;
        const QJsonObject started = readAnswer(answer, problem);
        if (!problem.isEmpty())
            return reading->done(std::move(reading->inventory), problem);
        self.pollCheck(reading, started.value(QStringLiteral("id")).toInt(), kCheckPolls);
    });
}

void PageImageFinder::pollCheck(const std::shared_ptr<Reading>& reading, int id, int pollsLeft)
{
    const QString script = QStringLiteral("window.__varrowPictureCheck(%1)").arg(id);
    runForFinder(m_page, script, this,
                 [reading, id, pollsLeft](PageImageFinder& self, const QString& answer) {
                     self.handleCheck(reading, id, pollsLeft, answer);
                 });
}

void PageImageFinder::handleCheck(const std::shared_ptr<Reading>& reading, int id, int pollsLeft,
                                  const QString& answer)
{
    QString problem;
    const QJsonObject check = readAnswer(answer, problem);
    if (!problem.isEmpty())
        return reading->done(std::move(reading->inventory), problem);
    if (!check.value(QStringLiteral("done")).toBool() && pollsLeft > 1) {
        QTimer::singleShot(kCheckIntervalMs, this, [this, reading, id, pollsLeft] {
            pollCheck(reading, id, pollsLeft - 1);
        });
        return;
    }
    QSet<QString> decoded;
    for (const QJsonValue& address : check.value(QStringLiteral("decoded")).toArray())
        decoded.insert(address.toString());
    for (ImageSighting& seen : reading->unchecked)
        if (decoded.contains(QString::fromStdString(seen.url)))
            reading->inventory.add(std::move(seen));
    complete(*reading);
}

void PageImageFinder::complete(Reading& reading)
{
    addContentFacts(reading.inventory);
    reading.done(std::move(reading.inventory), QString());
}

} // namespace varrow
