#pragma once

#include "app/DesktopServices.h"
#include "app/Program.h"
#include "platform/desktop/SettingsStore.h"

#include <QTemporaryDir>

namespace varrow::bench
{

// The whole program on the real engine, as a person starts it, with its settings and working
// files in a scratch folder and the help window kept shut. start() shows the splash window.
class BenchProgram
{
public:
    BenchProgram() { m_settings.SaveSetting("Varrow", "Settings", "showHelp", "0"); }

    const QTemporaryDir& scratch() const { return m_scratch; }
    Program& program() { return m_program; }
    void start() { m_program.start(); }

private:
    ProgramServices services()
    {
        ProgramServices made = desktopServices(m_settings);
        made.workingDirectory = m_scratch.path().toStdString();
        return made;
    }

    QTemporaryDir m_scratch;
    SettingsStore m_settings{m_scratch.filePath("settings").toStdString()};
    Program m_program{services()};
};

} // namespace varrow::bench
