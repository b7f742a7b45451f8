// A local page on the real browser engine tries every route a script has to read another local
// file or to send something out, and reports what it got; the reports are read back through the
// browser's capture or from the application's isolated world.
#include "platform/browser/LocalFileGuard.h"
#include "platform/browser/WebEngineBrowser.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/PageScript.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <gtest/gtest.h>
#include <string>

namespace varrow::testing
{
namespace
{

constexpr int kPatienceMs = 30000;
const QString kSecret = QStringLiteral("VARROW-SECRET-7f3a91");
// The first word of every file in the isolation tree's secret folder.
const QString kTreeSecret = QStringLiteral("VARROWSECRET7f3a91");

// A listener on 127.0.0.1 that counts the connections made to it and answers none.
class CountingListener : public QTcpServer
{
public:
    CountingListener()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (nextPendingConnection())
                ++connections;
        });
    }
    int connections = 0;
};

// Copies the isolation tree (a page folder with a "page_files" folder, and a secret folder beside
// it) into `root`, with the listener's port in the page and one of this machine's fonts as the
// page's own font.
void copyIsolationTree(const QString& root, quint16 port)
{
    const QDir tree(VARROW_LOCAL_ISOLATION_TREE);
    for (QDirIterator it(tree.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = tree.relativeFilePath(it.next());
        QDir(root).mkpath(QFileInfo(relative).path());
        QFile source(it.filePath());
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QByteArray content = source.readAll();
        content.replace("WEBSOCKET_PORT", QByteArray::number(port));
        QFile target(QDir(root).filePath(relative));
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        target.write(content);
    }
    QDirIterator fonts("/usr/share/fonts", {"*.ttf", "*.otf"}, QDir::Files,
                       QDirIterator::Subdirectories);
    ASSERT_TRUE(fonts.hasNext()) << "this machine has no font file to serve as the page's own";
    ASSERT_TRUE(QFile::copy(fonts.next(), QDir(root).filePath("page/own.ttf")));
}

// Each route reports once; the page then reloads itself with the reports in its query, and that
// second load writes them into its body, where the capture finds them.
const QString kRoutesPage = QStringLiteral(R"(<!DOCTYPE html><html><head><title>Routes</title>
<link rel="stylesheet" href="OWN_CSS"><script src="OWN_JS"></script></head>
<body><img id="own" src="OWN_PNG"><p id="styled">styled</p>
<iframe id="frame" src="SECRET_HTML"></iframe>
<object id="object" data="SECRET_TXT" type="text/plain"></object>
<script>
const secret = 'SECRET_TXT';
const routes = ['xhr-sync', 'xhr-async', 'fetch', 'frame', 'object', 'worker', 'blob-worker'];
const reports = {};
function report(route, text) {
  if (route in reports) return;
  reports[route] = String(text);
  if (Object.keys(reports).length === routes.length)
    location.replace(location.pathname + '?' + encodeURIComponent(JSON.stringify(reports)));
}
function documentText(element) {
  try {
    const doc = element.contentDocument;
    const text = doc && doc.body ? doc.body.textContent : '';
    return text ? 'read ' + text : 'nothing to read';
  } catch (e) { return 'refused ' + e.name; }
}
function fromWorker(route, worker) {
  worker.onmessage = (m) => report(route, m.data);
  worker.onerror = () => report(route, 'refused worker');
}
if (location.search) {
  const shown = JSON.parse(decodeURIComponent(location.search.slice(1)));
  for (const route of routes)
    document.write('<p class="report">' + route + ': ' + shown[route] + '</p>');
  document.body.dataset.reported = 'all';
} else {
  try {
    const x = new XMLHttpRequest(); x.open('GET', secret, false); x.send();
    report('xhr-sync', 'read ' + x.responseText);
  } catch (e) { report('xhr-sync', 'refused ' + e.name); }
  const a = new XMLHttpRequest();
  a.onload = () => report('xhr-async', 'read ' + a.responseText);
  a.onerror = () => report('xhr-async', 'refused error');
  a.open('GET', secret); a.send();
  fetch(secret).then((r) => r.text()).then((t) => report('fetch', 'read ' + t),
                                          (e) => report('fetch', 'refused ' + e.name));
  addEventListener('load', () => {
    report('frame', documentText(document.getElementById('frame')));
    report('object', documentText(document.getElementById('object')));
  });
  const reader = "fetch('" + secret + "').then((r) => r.text()).then((t) => postMessage('read ' + t),"
               + " (e) => postMessage('refused ' + e.name));";
  try { fromWorker('worker', new Worker('WORKER_JS')); } catch (e) { report('worker', 'refused ' + e.name); }
  try {
    fromWorker('blob-worker', new Worker(URL.createObjectURL(new Blob([reader]))));
  } catch (e) { report('blob-worker', 'refused ' + e.name); }
  setTimeout(() => routes.forEach((route) => report(route, 'no answer')), 5000);
}
</script></body></html>)");

class LocalFileAccessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(800, 600);
        browser = new WebEngineBrowser(&window, BrowserRole::Browsing);
        // The browser's own guard decides, behind the loopback interceptor.
        LoopbackOnly::installOnPage(*browser->page(),
                                    *browser->page()->findChild<LocalFileGuard*>());
        browser->view()->resize(window.size());
        window.show();
    }

    static QString write(const QTemporaryDir& dir, const QString& name, const QString& text)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return QUrl::fromLocalFile(file.fileName()).toString();
    }

    // The body that the browser captured once `done` appears in it; the last one it captured
    // when `done` never appeared.
    std::string capturedBodyWith(const std::string& done)
    {
        const auto body = [&] { return browser->BodyMarkup().value_or(std::string()); };
        if (!QTest::qWaitFor([&] { return body().find(done) != std::string::npos; }, kPatienceMs))
            ADD_FAILURE() << "the page never reported " << done;
        return body();
    }

    QVariant ask(const QString& script) { return runInPage(browser->view(), script, 30000); }

    QWidget window;
    WebEngineBrowser* browser = nullptr;
};

TEST_F(LocalFileAccessTest, ALocalPageReadsNoOtherLocalFileButShowsItsOwnResources)
{
    QTemporaryDir pageDir, secretDir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(pageDir.filePath("own.png")));
    const QString secretText = write(secretDir, "secret.txt", kSecret);
    const QString reader =
        QString("fetch('%1').then((r) => r.text()).then("
                "(t) => postMessage('read ' + t), (e) => postMessage('refused ' + e.name));")
            .arg(secretText);
    QString page = kRoutesPage;
    page.replace("OWN_PNG", QUrl::fromLocalFile(pageDir.filePath("own.png")).toString())
        .replace("OWN_CSS", write(pageDir, "own.css", "#styled { width: 123px; }"))
        .replace("OWN_JS",
                 write(pageDir, "own.js",
                       "addEventListener('DOMContentLoaded', () => document.body"
                       ".insertAdjacentHTML('beforeend', '<p id=\"own-script\">ran</p>'));"))
        .replace("WORKER_JS", write(pageDir, "worker.js", reader))
        .replace("SECRET_HTML", write(secretDir, "secret.html", "<body>" + kSecret + "</body>"))
        .replace("SECRET_TXT", secretText);
    write(pageDir, "page.html", page);

    browser->Navigate2(pageDir.filePath("page.html"));
    const std::string body = capturedBodyWith("data-reported=\"all\"");

    EXPECT_EQ(body.find(kSecret.toStdString()), std::string::npos) << body;
    // Each route ends in a refusal that looks like a network error, or in a frame or object
    // that holds nothing to read.
    const struct {
        const char* route;
        const char* outcome;
    } kRoutes[] = {
        {"xhr-sync", "xhr-sync: refused NetworkError"},
        {"xhr-async", "xhr-async: refused error"},
        {"fetch", "fetch: refused TypeError"},
        {"frame", "frame: nothing to read"},
        {"object", "object: nothing to read"},
        {"worker", "worker: refused worker"},
        {"blob-worker", "blob-worker: refused TypeError"},
    };
    for (const auto& route : kRoutes) {
        SCOPED_TRACE(route.route);
        EXPECT_NE(body.find(route.outcome), std::string::npos) << body;
        EXPECT_EQ(body.find(std::string(route.route) + ": read"), std::string::npos) << body;
        EXPECT_EQ(body.find(std::string(route.route) + ": no answer"), std::string::npos) << body;
    }

    // The page's own picture, style sheet and script, beside it, still work.
    EXPECT_NE(body.find("own-script"), std::string::npos);
    EXPECT_EQ(ask("document.getElementById('own').naturalWidth").toInt(), 40);
    EXPECT_EQ(ask("getComputedStyle(document.getElementById('styled')).width").toString(), "123px");
}

TEST_F(LocalFileAccessTest, ALocalPageReadsNothingBesideItsFolderAndOpensNoWebSocket)
{
    CountingListener listener;
    QTemporaryDir root;
    copyIsolationTree(root.path(), listener.serverPort());

    browser->Navigate2(root.filePath("page/page.html"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return ask("document.body?.dataset.reported").toString() == "all"; }, kPatienceMs));
    const QString reported = ask("document.getElementById('reports').textContent").toString();
    const QJsonObject reports = QJsonDocument::fromJson(reported.toUtf8()).object();

    EXPECT_FALSE(reported.contains(kTreeSecret)) << reported.toStdString();
    // A file in another folder does not load as a script, picture, style sheet (whose rules stay
    // out of reach) or track; a request to read it and a WebSocket, also one from a worker, fail
    // as network errors.
    const struct {
        const char* route;
        const char* outcome;
    } kRoutes[] = {
        {"onerror", "not loaded"},
        {"canvas", "not shown"},
        {"css-rules", "refused SecurityError"},
        {"track", "refused error"},
        {"fetch", "refused TypeError"},
        {"websocket", "refused error"},
        {"worker-websocket", "refused error"},
    };
    for (const auto& route : kRoutes)
        EXPECT_EQ(reports[route.route].toString().toStdString(), route.outcome) << route.route;
    EXPECT_EQ(listener.connections, 0);

    // The page's own picture, style sheet, script, font and sound, beside it and in its
    // "page_files" folder, still load and apply.
    EXPECT_EQ(reports["own-font"].toString(), "1 loaded");
    EXPECT_TRUE(reports["own-media"].toString().startsWith("duration 0.1"))
        << reports["own-media"].toString().toStdString();
    const struct {
        const char* question;
        QVariant answer;
    } kOwn[] = {
        {"document.getElementById('own').naturalWidth", 40},
        {"document.getElementById('saved').naturalWidth", 20},
        {"getComputedStyle(document.getElementById('styled')).width", "123px"},
        {"getComputedStyle(document.getElementById('saved-styled')).width", "45px"},
        {"document.documentElement.dataset.ownScript", "ran"},
        {"document.documentElement.dataset.savedScript", "ran"},
    };
    for (const auto& own : kOwn)
        EXPECT_EQ(ask(own.question).toString().toStdString(), own.answer.toString().toStdString())
            << own.question;
}

TEST_F(LocalFileAccessTest, AWebPageStillReadsItsOwnSiteAndOpensWebSockets)
{
    CountingListener listener;
    LocalWebServer server;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    picture.save(&png, "PNG");
    server.serve("/picture.png", png.data(), "image/png");
    server.serve("/style.css", "#styled { width: 77px; }", "text/css");
    server.serve("/broken.js", "notDefinedOnThisSite;", "text/javascript");
    server.serve("/text.txt", "served text", "text/plain");
    server.serve("/page.html",
                 QString(R"(<head><link id="css" rel="stylesheet" href="/style.css"><script>
const shown = document.documentElement.dataset;
addEventListener('error', (e) => { shown.error = e.message; });
new WebSocket('ws://127.0.0.1:%1/');
fetch('/text.txt').then((r) => r.text()).then((t) => { shown.text = t; });
addEventListener('load', () => {
  shown.rules = document.getElementById('css').sheet.cssRules[0].cssText;
  const context = document.createElement('canvas').getContext('2d');
  context.drawImage(document.getElementById('picture'), 0, 0);
  shown.pixel = context.getImageData(0, 0, 1, 1).data.join(',');
});
</script><script src="/broken.js"></script></head><body><img id="picture" src="/picture.png"></body>)")
                     .arg(listener.serverPort())
                     .toUtf8());
    browser->Navigate(server.address("/page.html"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return ask("document.documentElement.dataset.pixel").isValid() &&
                   ask("document.documentElement.dataset.text").isValid();
        },
        kPatienceMs));
    const struct {
        const char* field;
        const char* value;
    } kShown[] = {
        {"text", "served text"},
        {"rules", "#styled { width: 77px; }"},
        {"pixel", "10,20,30,255"},
        {"error", "Uncaught ReferenceError: notDefinedOnThisSite is not defined"},
    };
    for (const auto& shown : kShown)
        EXPECT_EQ(ask(QString("document.documentElement.dataset.%1").arg(shown.field))
                      .toString()
                      .toStdString(),
                  shown.value)
            << shown.field;
    EXPECT_TRUE(QTest::qWaitFor([&] { return listener.connections > 0; }, kPatienceMs));
}

} // namespace
} // namespace varrow::testing
