// The site window on the real browser engine, opening a website served from 127.0.0.1.
#include "app/Program.h"
#include "platform/browser/WebEngineBrowser.h"
#include "platform/desktop/SettingsStore.h"
#include "platform/desktop/StatusBar.h"
#include "tests/support/Controls.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"
#include "tests/support/PageScript.h"
#include "windows/SiteWindow.h"

#include <QDir>
#include <QLineEdit>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace varrow::testing
{
namespace
{

constexpr int kPatienceMs = 30000;

class SiteWindowEngineTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoopbackOnly::install();
        server.serve("/site.html",
                     "<html><head><title>Varrow website</title></head>"
                     "<body><h1>Varrow</h1><a href='/more.html'>more</a></body></html>");
        server.serve("/more.html",
                     "<html><head><title>More</title></head><body>more</body></html>");
        // The website's name is a bare host and path, as the version information holds it.
        openProgramOn(server.address("/site.html").mid(7).toStdString());
    }

    void openProgramOn(const std::string& website)
    {
        ProgramServices services;
        services.makeBrowser = [](QWidget* parent, BrowserRole role) {
            return new WebEngineBrowser(parent, role);
        };
        services.readVersionInfo = [website] {
            return VersionInfo{"Varrow", "Varrow Project", website, 1, 0};
        };
        services.endProgram = [] {};
        services.settings = &settings;
        services.programDirectory = programDir.path().toStdString();
        services.workingDirectory = programDir.path().toStdString();
        program = std::make_unique<Program>(std::move(services));
        program->LoadIdentity();
    }

    bool shows(SiteWindow& window, const QString& address)
    {
        return QTest::qWaitFor(
            [&] { return control<QLineEdit>(window, "Text1").text() == address; }, kPatienceMs);
    }

    LocalWebServer server;
    QTemporaryDir programDir;
    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.path().toStdString()};
    std::unique_ptr<Program> program;
};

TEST_F(SiteWindowEngineTest, OpensTheWebsiteAndFollowsItsPages)
{
    SiteWindow& window = program->showSiteWindow();
    ASSERT_TRUE(shows(window, server.address("/site.html")));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window.windowTitle() == "Varrow website"; }, kPatienceMs));
    EXPECT_EQ(control<StatusBar>(window, "StatusBar1").panelText(2),
              "Completed " + server.address("/site.html"));

    control<QToolButton>(window, "Command4").click(); // no earlier page: nothing happens
    QTest::qWait(200);
    EXPECT_EQ(control<BrowserControl>(window, "WebBrowser1").LocationURL(),
              server.address("/site.html"));

    control<QLineEdit>(window, "Text1").setText(server.address("/more.html"));
    QTest::keyClick(&control<QLineEdit>(window, "Text1"), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.windowTitle() == "More"; }, kPatienceMs));
    control<QToolButton>(window, "Command4").click();
    EXPECT_TRUE(shows(window, server.address("/site.html")));

    const QString screenshots = qEnvironmentVariable("VARROW_SCREENSHOTS");
    if (!screenshots.isEmpty()) {
        window.setWindowState(Qt::WindowNoState);
        window.resize(640, 420);
        QTest::qWait(500);
        window.grab().save(QDir(screenshots).filePath("site-engine.png"));
    }
}

TEST_F(SiteWindowEngineTest, AnUnreachableWebsiteShowsThePageAboutTheProgram)
{
    // A port on this machine where nothing listens, named as the website is: a bare host name,
    // which the browser opens at the host's root.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QString website = QString("127.0.0.1:%1").arg(closed.serverPort());
    closed.close();
    openProgramOn(website.toStdString());

    SiteWindow& window = program->showSiteWindow();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return renderedText(control<BrowserControl>(window, "WebBrowser1").view())
                .contains("cannot be reached");
        },
        kPatienceMs));
    const QString text = renderedText(control<BrowserControl>(window, "WebBrowser1").view());
    EXPECT_TRUE(text.contains("Version 1.0")) << text.toStdString();
    EXPECT_TRUE(text.contains("View Help")) << text.toStdString();
    EXPECT_TRUE(text.contains("man varrow-capture")) << text.toStdString();
    EXPECT_TRUE(shows(window, "http://" + website + "/"));
    EXPECT_EQ(window.windowTitle(), "Varrow");
}

} // namespace
} // namespace varrow::testing
