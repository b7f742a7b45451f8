#pragma once

#include <QObject>

class QSocketNotifier;

namespace varrow
{

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the event loop, so that a run stopped
// from outside can end cleanly (cancel its downloads, remove its partial files) instead of
// dying where it stands. The handler only writes the signal's number into a pipe. One at a time
// in a process; the signals' earlier handling comes back when it goes.
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

    // The first stop signal that came, or 0.
    int received() const { return m_received; }

signals:
    // Emitted for each stop signal that comes.
    void stopRequested(int signalNumber);

private:
    void handleReadable();

    QSocketNotifier* m_notifier = nullptr;
    int m_received = 0;
};

} // namespace varrow
