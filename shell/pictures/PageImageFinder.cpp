#include "shell/pictures/PageImageFinder.h"

#include "platform/browser/WebEngineBrowser.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeDatabase>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <memory>

namespace varrow
{
namespace
{

const QString kBytesScriptName = QStringLiteral("varrow-picture-bytes");

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

// The indices of one picture record of the script's answer.
enum Field { kAddress, kLabel, kWidth, kHeight, kAlt, kPlaces, kInFrame };

std::optional<std::int64_t> byteCount(const QJsonObject& bytes, const QString& address)
{
    const QJsonValue size = bytes.value(address);
    if (!size.isDouble() || size.toDouble() <= 0)
        return std::nullopt;
    return std::int64_t(size.toDouble());
}

// Gives each picture in a file on this machine, whoever found it, its byte count and type from
// the file: the engine's resource timing gives neither for files. Only regular files are looked
// at, so an address that names a device or a pipe cannot stall the window.
void addFileFacts(PageImageInventory& inventory)
{
    const QMimeDatabase types;
    for (std::size_t i = 0; i < inventory.images().size(); ++i) {
        const std::string& url = inventory.images()[i].url;
        const QUrl address(QString::fromStdString(url));
        if (!address.isLocalFile())
            continue;
        const QFileInfo file(address.toLocalFile());
        if (file.isFile())
            inventory.addFacts(url, types.mimeTypeForFile(file).name().toStdString(), file.size());
    }
}

} // namespace

PageImageFinder& PageImageFinder::of(WebEngineBrowser& browser)
{
    QWebEnginePage& page = *browser.page();
    if (auto* finder = page.findChild<PageImageFinder*>(QString(), Qt::FindDirectChildrenOnly))
        return *finder;
    auto* finder = new PageImageFinder(page);
    connect(&browser, &WebEngineBrowser::imageRequested, finder,
            &PageImageFinder::noteImageRequest);
    return *finder;
}

PageImageFinder::PageImageFinder(QWebEnginePage& page) : QObject(&page), m_page(page)
{
    watchByteCounts(page);
    connect(&page, &QWebEnginePage::loadStarted, this, &PageImageFinder::handleLoadStarted);
}

void PageImageFinder::noteImageRequest(const QUrl& address, const QUrl& document)
{
    const Request request{address, document.adjusted(QUrl::RemoveFragment)};
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

void PageImageFinder::find(PageImageInventory inventory,
                           std::function<void(PageImageInventory)> done)
{
    struct Pending {
        PageImageInventory inventory;
        std::function<void(PageImageInventory)> done;
    };
    auto pending = std::make_shared<Pending>(Pending{std::move(inventory), std::move(done)});
    QPointer<PageImageFinder> self(this);
    m_page.runJavaScript(finderScript(), QWebEngineScript::ApplicationWorld,
                         [self, pending](const QVariant& answer) {
                             // The engine may answer while the page is being destroyed; the finder,
                             // its child, is gone by the time a queued call runs.
                             QMetaObject::invokeMethod(
                                 self,
                                 [self, pending, text = answer.toString()] {
                                     self->addFindings(pending->inventory, text);
                                     pending->done(std::move(pending->inventory));
                                 },
                                 Qt::QueuedConnection);
                         });
}

void PageImageFinder::addFindings(PageImageInventory& inventory, const QString& answer) const
{
    const QJsonObject found = QJsonDocument::fromJson(answer.toUtf8()).object();
    const QJsonObject bytes = found.value(QStringLiteral("bytes")).toObject();
    for (const QJsonValue& value : found.value(QStringLiteral("pictures")).toArray()) {
        const QJsonArray record = value.toArray();
        const auto how = foundByLabel(record.at(kLabel).toString().toStdString());
        const QString address = record.at(kAddress).toString();
        if (!how || address.isEmpty())
            continue;
        ImageSighting seen;
        seen.url = address.toStdString();
        seen.how = *how;
        seen.width = record.at(kWidth).toInt();
        seen.height = record.at(kHeight).toInt();
        seen.bytes = byteCount(bytes, address);
        seen.alt = record.at(kAlt).toString().toStdString();
        seen.places = record.at(kPlaces).toInt();
        inventory.add(seen);
        if (record.at(kInFrame).toBool()) {
            ImageSighting framed;
            framed.url = std::move(seen.url);
            framed.how = FoundBy::Frame;
            framed.places = 0; // the same place as the sighting it goes with
            inventory.add(std::move(framed));
        }
    }
    const QUrl onShow = m_page.url().adjusted(QUrl::RemoveFragment);
    for (const Request& requested : m_requested) {
        if (!requested.document.isEmpty() && requested.document != onShow)
            continue; // a late request of the page before
        const QString address = requested.address.toString(QUrl::FullyEncoded);
        ImageSighting seen;
        seen.url = address.toStdString();
        seen.how = FoundBy::Network;
        seen.bytes = byteCount(bytes, address);
        seen.places = 0; // a request is no place of its own
        inventory.add(std::move(seen));
    }
    addFileFacts(inventory);
}

} // namespace varrow
