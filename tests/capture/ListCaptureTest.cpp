// varrow-capture --load-list on a scripted page renderer: what each page leaves in its folder,
// the JSON lines, and a run stopped halfway and run again.
#include "capture/cli/ListCapture.h"

#include "capture/cli/CaptureJournal.h"
#include "platform/textfile/TextFile.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

namespace varrow
{
namespace
{

// Renders "http://h/N.html" as a page with N pictures; "http://h/fail..." fails; after
// `stopAfter` pages, leaves a partial picture of the next page and stops as SIGINT would.
struct ScriptedRenderer {
    std::size_t stopAfter = 1000;
    std::vector<std::string> rendered;

    int operator()(const std::vector<PageListJob>& jobs, const PageListSettings&,
                   const std::function<void(ListedPage&)>& each)
    {
        for (std::size_t index = 0; index < jobs.size(); ++index) {
            const PageListJob& job = jobs[index];
            if (!job.picturesFolder.empty()) {
                std::filesystem::create_directories(job.picturesFolder);
                writeTextFile(std::filesystem::path(job.picturesFolder) / "partial.gif", "GIF");
            }
            if (rendered.size() == stopAfter)
                return SIGINT;
            rendered.push_back(job.address);
            ListedPage page;
            page.index = index;
            if (job.address.find("fail") != std::string::npos) {
                page.failure = "no such host";
            } else {
                page.location = job.address;
                const int pictures = job.address[9] - '0';
                for (int i = 0; i < pictures; ++i)
                    page.markup += "<img src=\"p" + std::to_string(i) + ".gif\">";
                page.markup += "<a href=\"big.jpg\">x</a>";
                page.inventory = "{\"url\":\"x\"}\n";
                page.saved.push_back(job.picturesFolder + "/p0.gif");
            }
            each(page);
        }
        return 0;
    }
};

class ListCaptureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::temp_directory_path() /
                      ("varrow-list-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    // Runs the list `text` into m_directory/out; the JSON lines in `lines`.
    int run(const std::string& text, ScriptedRenderer& renderer, std::vector<nlohmann::json>& lines,
            std::string* errors = nullptr)
    {
        CaptureOptions options;
        options.loadList = "-";
        options.outputDirectory = (m_directory / "out").string();
        options.inventory = true;
        options.savePictures = true;
        std::istringstream in(text);
        std::ostringstream out, err;
        const int exitCode =
            runListCapture(options, in, out, err, false,
                           [&renderer](const auto& jobs, const auto& settings, const auto& each) {
                               return renderer(jobs, settings, each);
                           });
        lines.clear();
        std::istringstream printed(out.str());
        for (std::string line; std::getline(printed, line);)
            lines.push_back(nlohmann::json::parse(line));
        if (errors)
            *errors = err.str();
        return exitCode;
    }
    std::filesystem::path folder(const std::string& name) const
    {
        return m_directory / "out" / name;
    }

    std::filesystem::path m_directory;
};

TEST_F(ListCaptureTest, EachPageLeavesItsResultsInItsFolderAndALine)
{
    ScriptedRenderer renderer;
    std::vector<nlohmann::json> lines;
    std::string errors;
    EXPECT_EQ(
        run("http://h/2.html\nhttp://h/fail\nnot one\nhttp://h/0.html\n", renderer, lines, &errors),
        1);
    EXPECT_EQ(errors, "varrow-capture: line 3: holds a space: not one\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]["address"], "http://h/2.html");
    EXPECT_EQ(lines[0]["folder"], "h_2.html");
    EXPECT_EQ(lines[0]["outcome"], "done");
    EXPECT_EQ(lines[0]["images"], 2);
    EXPECT_EQ(lines[0]["links"], 1);
    EXPECT_EQ(lines[0]["pictures"], 1);
    EXPECT_EQ(lines[1]["outcome"], "failed");
    EXPECT_EQ(lines[1]["reason"], "no such host");
    EXPECT_EQ(lines[2]["images"], 0);
    // The source and gallery pages and the inventory; no working file of the capture's.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder("h_2.html")))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"imagepage.html", "inventory.jsonl", "pictures",
                                               "source.htm"}));
    EXPECT_EQ(readTextFile(folder("h_2.html") / "inventory.jsonl"), "{\"url\":\"x\"}\n");
    EXPECT_FALSE(std::filesystem::exists(folder("h_fail")));
}

TEST_F(ListCaptureTest, AStoppedRunLeavesNoHalfPageAndTheNextFinishesTheRest)
{
    const std::string list = "http://h/1.html\nhttp://h/2.html\nhttp://h/3.html\n";
    ScriptedRenderer stopped{1, {}};
    std::vector<nlohmann::json> lines;
    EXPECT_EQ(run(list, stopped, lines), 128 + SIGINT);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(folder("h_1.html") / "source.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder("h_2.html")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_directory / "out"), {}),
              2); // the journal and h_1.html: the page being built is gone

    // What a run killed outright was building is made again from nothing.
    std::filesystem::create_directories(folder(".varrow-partial-2") / "pictures");
    writeTextFile(folder(".varrow-partial-2") / "source.htm", "half");
    writeTextFile(folder(".varrow-partial-2") / "pictures" / "partial.gif", "GIF");
    ScriptedRenderer again;
    EXPECT_EQ(run(list, again, lines), 0);
    EXPECT_EQ(again.rendered, (std::vector<std::string>{"http://h/2.html", "http://h/3.html"}));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0]["outcome"], "skipped");
    EXPECT_EQ(lines[1]["outcome"], "done");
    EXPECT_EQ(lines[2]["outcome"], "done");
    EXPECT_NE(readTextFile(folder("h_3.html") / "source.htm"), "half");
    EXPECT_FALSE(std::filesystem::exists(folder("h_3.html") / "pictures" / "partial (2).gif"));
    EXPECT_FALSE(std::filesystem::exists(folder(".varrow-partial-2")));
    const CaptureJournal journal(m_directory / "out");
    EXPECT_EQ(journal.finished().size(), 3u);
}

// The output folder may hold folders of the person's own: a page whose folder name is taken
// fails, and what the folder holds stays as it was.
TEST_F(ListCaptureTest, AFolderOfThePagesNameThatWasThereIsLeftAsItIs)
{
    std::filesystem::create_directories(folder("h_1.html"));
    writeTextFile(folder("h_1.html") / "source.htm", "mine");
    ScriptedRenderer renderer;
    std::vector<nlohmann::json> lines;
    EXPECT_EQ(run("http://h/1.html\nhttp://h/2.html\n", renderer, lines), 1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["outcome"], "failed");
    EXPECT_NE(lines[0]["reason"].get<std::string>().find("left as it is"), std::string::npos)
        << lines[0]["reason"];
    EXPECT_EQ(lines[1]["outcome"], "done");
    EXPECT_EQ(readTextFile(folder("h_1.html") / "source.htm"), "mine\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder("h_1.html")), {}), 1);
    EXPECT_EQ(CaptureJournal(m_directory / "out").finished().size(), 1u);
}

TEST_F(ListCaptureTest, ShardsSplitTheListWithNoOverlapAndNoGap)
{
    std::string list;
    for (int i = 0; i < 10; ++i)
        list += "http://h/" + std::to_string(i) + ".html\n";
    std::vector<std::string> all;
    for (const char* shard : {"0/3", "1/3", "2/3"}) {
        CaptureOptions options;
        options.loadList = "-";
        options.outputDirectory = (m_directory / shard).string();
        options.shard = *parseListShard(shard);
        ScriptedRenderer renderer;
        std::istringstream in(list);
        std::ostringstream out, err;
        EXPECT_EQ(
            runListCapture(options, in, out, err, false,
                           [&renderer](const auto& jobs, const auto& settings, const auto& each) {
                               return renderer(jobs, settings, each);
                           }),
            0);
        all.insert(all.end(), renderer.rendered.begin(), renderer.rendered.end());
    }
    std::sort(all.begin(), all.end());
    std::vector<std::string> expected;
    for (int i = 0; i < 10; ++i)
        expected.push_back("http://h/" + std::to_string(i) + ".html");
    EXPECT_EQ(all, expected);
}

} // namespace
} // namespace varrow
