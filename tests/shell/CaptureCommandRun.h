#pragma once

#include <QString>
#include <QStringList>

namespace varrow::testing
{

// What one run of varrow-capture gave.
struct CommandRun {
    int exitCode = -1; // -1 when it did not start, crashed or ran out of patience
    QString output;
    QString errors;
};

// Runs varrow-capture with `arguments` in `workingDirectory` (this process's when empty), while
// this test's event loop keeps serving its pages.
CommandRun runCaptureCommand(const QStringList& arguments, const QString& workingDirectory = {});

} // namespace varrow::testing
