#include "windows/HelpWindow.h"

#include "platform/textfile/TextFile.h"
#include "tests/shell/ShellFixture.h"
#include "tests/support/Controls.h"

#include <QCheckBox>
#include <QSettings>
#include <QTextEdit>

namespace varrow::testing
{
namespace
{

class HelpWindowTest : public ShellFixture
{
protected:
    void writeHelpFile() { writeTextFile(directory() / "Help.rtf", "{\\rtf1 Varrow help}"); }
    HelpWindow& helpWindow() { return program->showHelpWindow(); }
    QString stored() { return settings.GetSetting("Varrow", "Settings", "showHelp", "(absent)"); }
};

TEST_F(HelpWindowTest, ShowsTheHelpFileOnTop)
{
    writeHelpFile();
    HelpWindow& window = helpWindow();
    EXPECT_EQ(window.windowTitle(), "Readme/Help");
    EXPECT_EQ(window.helpFilePath(), directory() / "Help.rtf");
    EXPECT_TRUE(control<QTextEdit>(window, "rtf1").toPlainText().contains("Varrow help"));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
}

struct StoredValue {
    const char* name;
    std::optional<QString> text; // nothing: the key is absent
    bool ticked;
};

class HelpCheckBoxTest : public HelpWindowTest, public ::testing::WithParamInterface<StoredValue>
{
};

TEST_P(HelpCheckBoxTest, MirrorsTheStoredValue)
{
    writeHelpFile();
    QSettings(settingsDir.path() + "/Varrow.ini", QSettings::IniFormat).remove("Settings/showHelp");
    if (GetParam().text)
        settings.SaveSetting("Varrow", "Settings", "showHelp", *GetParam().text);
    EXPECT_EQ(control<QCheckBox>(helpWindow(), "Check1").isChecked(), GetParam().ticked);
}

// The box starts cleared; text that is not a whole number leaves it so.
INSTANTIATE_TEST_SUITE_P(Values, HelpCheckBoxTest,
                         ::testing::Values(StoredValue{"Absent", std::nullopt, true},
                                           StoredValue{"Zero", QString("0"), false},
                                           StoredValue{"Empty", QString(""), false},
                                           StoredValue{"Word", QString("yes"), false},
                                           StoredValue{"OneWithBlank", QString("1 "), true},
                                           StoredValue{"One", QString("1"), true},
                                           StoredValue{"OtherNumber", QString("7"), false}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(HelpWindowTest, TheCheckBoxStoresZeroAndOne)
{
    writeHelpFile();
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    HelpWindow& window = helpWindow();
    EXPECT_EQ(stored(), "1");
    control<QCheckBox>(window, "Check1").click();
    EXPECT_EQ(stored(), "0");
    control<QCheckBox>(window, "Check1").click();
    EXPECT_EQ(stored(), "1");
}

TEST_F(HelpWindowTest, AMissingHelpFileGivesAVisibleEmptyWindow)
{
    settings.SaveSetting("Varrow", "Settings", "showHelp", "1");
    HelpWindow& window = helpWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(control<QTextEdit>(window, "rtf1").toPlainText().isEmpty());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(control<QCheckBox>(window, "Check1").isChecked()); // its design state
}

TEST_F(HelpWindowTest, AnUnreadableHelpFileLeavesTheTextEmpty)
{
    std::filesystem::create_directory(directory() / "Help.rtf"); // present, but not a file
    writeTextFile(directory() / "help.RTF", "{\\rtf1 other letter case}");
    HelpWindow& window = helpWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(control<QTextEdit>(window, "rtf1").toPlainText().isEmpty());
}

} // namespace
} // namespace varrow::testing
