#include "tests/shell/CaptureCommandRun.h"

#include <QProcess>
#include <QTest>

namespace varrow::testing
{
namespace
{

// A page load in the engine with the tests' servers may take its time on a busy machine.
constexpr int kPatienceMs = 120000;

} // namespace

CommandRun runCaptureCommand(const QStringList& arguments, const QString& workingDirectory)
{
    QProcess command;
    command.setWorkingDirectory(workingDirectory);
    command.start(VARROW_CAPTURE, arguments);
    if (!command.waitForStarted() ||
        !QTest::qWaitFor([&] { return command.state() == QProcess::NotRunning; }, kPatienceMs)) {
        command.kill();
        command.waitForFinished();
        return {};
    }
    CommandRun run;
    run.exitCode = command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
    run.output = QString::fromUtf8(command.readAllStandardOutput());
    run.errors = QString::fromUtf8(command.readAllStandardError());
    return run;
}

} // namespace varrow::testing
