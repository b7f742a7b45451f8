#include "platform/desktop/TickTimer.h"
#include "shell/FileExists.h"
#include "shell/MainLayout.h"
#include "shell/ProgramDirectory.h"
#include "shell/SplashWindow.h"
#include "shell/WorkingDirectory.h"
#include "tests/shell/ShellFixture.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace varrow::testing
{
namespace
{

using StartupTest = ShellFixture;

TEST_F(StartupTest, SplashOpensTheMainWindowOnTheSeventyFifthTick)
{
    program->start();
    SplashWindow* splash = program->splashWindow();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(control<TickTimer>(*splash, "Timer2").isEnabled());
    EXPECT_GE(control<TickTimer>(*splash, "Timer2").interval(),
              15); // the desktop timer's minimum period
    for (int tick = 1; tick < 75; ++tick) {
        splash->tick();
        EXPECT_EQ(splash->count(), 2 * tick);
        EXPECT_EQ(program->mainWindow(), nullptr);
    }
    splash->tick();
    EXPECT_EQ(splash->count(), 150);
    EXPECT_NE(program->mainWindow(), nullptr);
    EXPECT_FALSE(control<TickTimer>(*splash, "Timer2").isEnabled());
    EXPECT_TRUE(splash->isHidden());
    EXPECT_EQ(program->splashWindow(), splash); // hidden, still loaded
}

TEST(MainLayoutTest, WindowEightThousandTwipsWide)
{
    const MainLayout layout = layoutMainWindow({8000, 11100, 2425, 10700, 315, 540, 1095, 5520});
    EXPECT_EQ(layout.tabStrip, (TwipsRect{25, 2425, 7950, 11100 - 2425 - 315 - 800}));
    EXPECT_EQ(layout.view, (TwipsRect{125, 2825, 7700, 7560 - 500}));
    EXPECT_EQ(layout.panel1Width, 6000);
    EXPECT_EQ(layout.panel2Width, 5700);
    EXPECT_EQ(layout.progressBar, (TwipsRect{6050, 10690, 5600, 295}));
    EXPECT_EQ(layout.addressWidth, 8000 - 540 - 1095 - 200);
    EXPECT_EQ(layout.websiteWidth, 8000 - 5520 - 150);
    EXPECT_EQ(layout.goLeft, layout.addressWidth + 540 + 50);
}

TEST(MainLayoutTest, TinyWindowTakesAbsoluteValues)
{
    const MainLayout layout = layoutMainWindow({1000, 2000, 2425, 1685, 315, 540, 1095, 5520});
    EXPECT_EQ(layout.tabStrip.height, 2425 + 315 + 800 - 2000);
    EXPECT_EQ(layout.view.height, 1540 - 500);
    EXPECT_EQ(layout.addressWidth, 540 + 1095 + 200 - 1000);
    EXPECT_EQ(layout.websiteWidth, 5520 + 150 - 1000);
    EXPECT_EQ(layout.panel2Width, 750 - 300);
    EXPECT_EQ(layout.progressBar.width, 450 - 100);
}

class FileExistsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile file(dir.filePath("Page.HTM"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QFile hidden(dir.filePath(".hidden"));
        ASSERT_TRUE(hidden.open(QIODevice::WriteOnly));
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    }
    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(FileExistsTest, OrdinaryVisibleFilesInAnyLetterCase)
{
    EXPECT_TRUE(FileExists(path("Page.HTM")));
    EXPECT_TRUE(FileExists(path("page.htm")));
    EXPECT_FALSE(FileExists(path("folder")));
    EXPECT_FALSE(FileExists(path(".hidden")));
    EXPECT_FALSE(FileExists(path("missing.htm")));
    EXPECT_FALSE(FileExists("/no/such/device/page.htm"));
    EXPECT_FALSE(FileExists(""));
}

TEST(FileNameOfTest, TextAfterTheLastSeparator)
{
    EXPECT_EQ(FileNameOf("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(FileNameOf("/a/b/"), "");
    EXPECT_EQ(FileNameOf("c.txt"), "c.txt");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(WorkingDirectoryTest, FallsBackWhenTheProgramDirectoryCannotBeWritten)
{
    QTemporaryDir dir;
    const std::filesystem::path program = dir.filePath("program").toStdString();
    const std::filesystem::path perUser = dir.filePath("user/data").toStdString();
    std::filesystem::create_directory(program);
    EXPECT_EQ(chooseWorkingDirectory(program, perUser), program);
    EXPECT_FALSE(std::filesystem::exists(program / ".varrow-write-probe"));

    // A file where the directory should be cannot be written even by root.
    const std::filesystem::path notADirectory = dir.filePath("file").toStdString();
    QFile(dir.filePath("file")).open(QIODevice::WriteOnly);
    EXPECT_EQ(chooseWorkingDirectory(notADirectory, perUser), perUser);
    EXPECT_TRUE(std::filesystem::is_directory(perUser));
    // An installed program's folder is not even tried.
    EXPECT_EQ(chooseWorkingDirectory({}, perUser), perUser);
    EXPECT_FALSE(std::filesystem::exists(".varrow-write-probe"));
}

TEST(ProgramDirectoryTest, BesideTheExecutableOrInTheInstalledShareFolder)
{
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    const auto touch = [](const std::filesystem::path& file) {
        std::filesystem::create_directories(file.parent_path());
        QFile(QString::fromStdString(file.string())).open(QIODevice::WriteOnly);
    };
    touch(root / "build/bin/Help.rtf");
    EXPECT_EQ(findProgramDirectory(root / "build/bin"), root / "build/bin");

    // An installed prefix, and the same folder moved elsewhere.
    touch(root / "prefix/share/varrow/Help.rtf");
    std::filesystem::create_directories(root / "prefix/bin");
    EXPECT_EQ(findProgramDirectory(root / "prefix/bin"), root / "prefix/share/varrow");
    std::filesystem::rename(root / "prefix", root / "moved");
    EXPECT_EQ(findProgramDirectory(root / "moved/bin"), root / "moved/share/varrow");

    // Without the program's files anywhere, the executable's own folder.
    std::filesystem::create_directories(root / "bare/bin");
    EXPECT_EQ(findProgramDirectory(root / "bare/bin"), root / "bare/bin");
}

} // namespace
} // namespace varrow::testing
