#pragma once

#include "app/Program.h"
#include "capture/WorkFiles.h"
#include "platform/browser/WebEngineBrowser.h"
#include "platform/desktop/SettingsStore.h"
#include "platform/textfile/TextFile.h"
#include "shell/MainWindow.h"
#include "tests/support/Controls.h"
#include "tests/support/LocalWebServer.h"
#include "tests/support/LoopbackOnly.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace varrow::testing
{

// The whole program on the real browser engine, its main window open, with its files in a
// temporary directory and pages served from 127.0.0.1.
class EngineFixture : public ::testing::Test
{
protected:
    static constexpr int kPatienceMs = 30000;

    void SetUp() override
    {
        LoopbackOnly::install();
        settings.SaveSetting("Varrow", "Settings", "showHelp", "0");
        ProgramServices services;
        services.makeBrowser = [](QWidget* parent, BrowserRole role) {
            return new WebEngineBrowser(parent, role);
        };
        services.chooseFileToOpen = [](QWidget*) { return QString(); };
        services.readVersionInfo = [] { return VersionInfo{"Varrow", "Varrow Project", "", 1, 0}; };
        services.endProgram = [] {};
        services.settings = &settings;
        services.programDirectory = directory();
        services.workingDirectory = directory();
        program = std::make_unique<Program>(std::move(services));
        program->LoadIdentity();
        window = &program->showMainWindow();
    }

    std::filesystem::path directory() const { return programDir.path().toStdString(); }
    std::string workFile(std::string_view name) const
    {
        return readTextFile(WorkFiles(directory()).pathOf(name));
    }
    void go(const QString& address)
    {
        control<QLineEdit>(*window, "txtUrl").setText(address);
        control<QToolButton>(*window, "cmdGo").click();
    }
    // One of the main window's three views.
    BrowserControl& viewAt(int index) const
    {
        return control<BrowserControl>(*window, QString("wb%1").arg(index));
    }
    bool browserShows(const QString& address, int timeout = kPatienceMs)
    {
        return QTest::qWaitFor(
            [&] { return control<BrowserControl>(*window, "wb0").LocationURL() == address; },
            timeout);
    }

    LocalWebServer server;
    QTemporaryDir programDir;
    QTemporaryDir settingsDir;
    SettingsStore settings{settingsDir.path().toStdString()};
    std::unique_ptr<Program> program;
    MainWindow* window = nullptr;
};

} // namespace varrow::testing
