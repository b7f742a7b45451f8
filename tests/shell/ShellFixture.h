#pragma once

#include "app/Program.h"
#include "platform/desktop/SettingsStore.h"
#include "shell/MainWindow.h"
#include "shell/SplashWindow.h"
#include "tests/support/Controls.h"
#include "tests/support/FakeBrowser.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace varrow::testing
{

// A whole program on scripted browsers, with its files in temporary directories.
class ShellFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings.SaveSetting("Varrow", "Settings", "showHelp", "0");
        ProgramServices services;
        services.makeBrowser = [](QWidget* parent, BrowserRole role) {
            return new FakeBrowser(parent, role);
        };
        services.chooseFileToOpen = [this](QWidget*) { return chosenFile; };
        services.readVersionInfo = [this] { return version; };
        services.endProgram = [this] { ++programEnds; };
        services.settings = &settings;
        services.programDirectory = directory();
        services.workingDirectory = directory();
        program = std::make_unique<Program>(std::move(services));
        program->LoadIdentity();
    }

    std::filesystem::path directory() const { return programDir.path().toStdString(); }

    MainWindow& mainWindow() { return program->showMainWindow(); }
    static FakeBrowser& view(MainWindow& window, int index)
    {
        return static_cast<FakeBrowser&>(
            control<BrowserControl>(window, QString("wb%1").arg(index)));
    }
    static int visibleView(MainWindow& window)
    {
        int visible = -1;
        for (int i = 0; i < 3; ++i)
            if (!view(window, i).view()->isHidden())
                visible = visible == -1 ? i : 99;
        return visible;
    }

    QTemporaryDir programDir;
    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.path().toStdString()};
    VersionInfo version{"Varrow", "Varrow Project", "varrow.example", 1, 0};
    QString chosenFile;
    int programEnds = 0;
    std::unique_ptr<Program> program;
};

} // namespace varrow::testing
