// varrow-capture --load: the whole road of one page, run as a command without a display.
#include "platform/textfile/TextFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace
{

struct CommandRun {
    int exitCode;
    std::string output;
};

CommandRun runCapture(const std::string& arguments)
{
    const std::string command = std::string(VARROW_CAPTURE) + " " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    while (const size_t read = fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), read);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), output};
}

TEST(CaptureLoadTest, RendersALocalPageAndCapturesItUnderTheBrowsersAddress)
{
    QTemporaryDir dir;
    const std::string page = dir.filePath("page.html").toStdString();
    varrow::writeTextFile(page,
                          "<html><head><title>t</title></head><body>"
                          "<img src=\"shown.gif\"><a href=\"linked.jpg\">x</a></body></html>");
    const CommandRun run =
        runCapture("--load '" + page + "' --out '" + dir.path().toStdString() + "' --lists");
    ASSERT_EQ(run.exitCode, 0);
    const std::string base = "file://" + dir.path().toStdString() + "/";
    EXPECT_EQ(run.output, "image\t" + base + "shown.gif\tshown.gif\n" + "link\t" + base +
                              "linked.jpg\tlinked.jpg\n");
    EXPECT_NE(varrow::readTextFile(dir.filePath("source.htm").toStdString()).find("shown.gif</a>"),
              std::string::npos);
}

TEST(CaptureLoadTest, ALoadedLocalPageReadsNoOtherLocalFile)
{
    QTemporaryDir dir, secretDir;
    const std::string secret = secretDir.filePath("secret").toStdString();
    varrow::writeTextFile(secret + ".txt", "VARROWSECRETc41e");
    varrow::writeTextFile(secret + ".css", ".VARROWSECRETc41e { color: red; }");
    // Each route writes what it got into the body before the load ends: a request, the error
    // message of a script from another folder, and the rules of a style sheet from there.
    const std::string page = dir.filePath("page.html").toStdString();
    varrow::writeTextFile(
        page, "<html><head><link rel=\"stylesheet\" href=\"file://" + secret +
                  ".css\"><script>addEventListener('error', (e) => { window.caught = e.message; });"
                  "</script><script src=\"file://" +
                  secret +
                  ".txt\"></script></head><body><script>"
                  "try { const x = new XMLHttpRequest(); x.open('GET', 'file://" +
                  secret +
                  ".txt', false); x.send(); document.write('read ' + x.responseText); }"
                  " catch (e) { document.write('refused ' + e.name); }"
                  "document.write(' error: ' + window.caught);"
                  "try { document.write(' rules: ' + Array.from(document.styleSheets[0].cssRules,"
                  " (r) => r.cssText).join()); } catch (e) { document.write(' rules: ' + e.name); }"
                  "</script></body></html>");
    ASSERT_EQ(runCapture("--load '" + page + "' --out '" + dir.path().toStdString() + "'").exitCode,
              0);
    const std::string source = varrow::readTextFile(dir.filePath("source.htm").toStdString());
    EXPECT_EQ(source.find("VARROWSECRETc41e"), std::string::npos) << source;
    EXPECT_NE(source.find("refused NetworkError error: undefined rules: SecurityError"),
              std::string::npos)
        << source;
}

TEST(CaptureLoadTest, MisuseAndMissingPagesAreRefused)
{
    EXPECT_EQ(runCapture("--load").exitCode, 2);
    EXPECT_EQ(runCapture("--load a.html --url http://h/").exitCode, 2);
    QTemporaryDir dir;
    // A blank address is refused by the browser before anything is loaded.
    EXPECT_EQ(runCapture("--load ' ' --out '" + dir.path().toStdString() + "'").exitCode, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("source.htm")));
}

} // namespace
