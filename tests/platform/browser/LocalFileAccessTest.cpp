// A local page on the real browser engine tries every route a script has to read another local
// file, writes what it got into its own body, and is read back through the browser's capture.
#include "platform/browser/LocalFileGuard.h"
#include "platform/browser/WebEngineBrowser.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/PageScript.h"

#include <QFile>
#include <QImage>
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
    QTemporaryDir pageDir, elsewhere, secretDir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(elsewhere.filePath("own.png")));
    const QString secretText = write(secretDir, "secret.txt", kSecret);
    const QString reader =
        QString("fetch('%1').then((r) => r.text()).then("
                "(t) => postMessage('read ' + t), (e) => postMessage('refused ' + e.name));")
            .arg(secretText);
    QString page = kRoutesPage;
    page.replace("OWN_PNG", QUrl::fromLocalFile(elsewhere.filePath("own.png")).toString())
        .replace("OWN_CSS", write(elsewhere, "own.css", "#styled { width: 123px; }"))
        .replace("OWN_JS",
                 write(elsewhere, "own.js",
                       "addEventListener('DOMContentLoaded', () => document.body"
                       ".insertAdjacentHTML('beforeend', '<p id=\"own-script\">ran</p>'));"))
        .replace("WORKER_JS", write(elsewhere, "worker.js", reader))
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

    // The page's own picture, style sheet and script, from another folder, still work.
    EXPECT_NE(body.find("own-script"), std::string::npos);
    EXPECT_EQ(ask("document.getElementById('own').naturalWidth").toInt(), 40);
    EXPECT_EQ(ask("getComputedStyle(document.getElementById('styled')).width").toString(), "123px");
}

TEST_F(LocalFileAccessTest, AWebPageStillReadsItsOwnSite)
{
    LocalWebServer server;
    server.serve("/text.txt", "served text", "text/plain");
    server.serve("/page.html",
                 "<body><script>fetch('/text.txt').then((r) => r.text()).then((t) => "
                 "document.body.insertAdjacentHTML('beforeend', '<p id=\"got\">' + t + '</p>'))"
                 "</script></body>");
    browser->Navigate(server.address("/page.html"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ask("document.getElementById('got')?.textContent ?? ''") == "served text"; },
        kPatienceMs));
}

} // namespace
} // namespace varrow::testing
