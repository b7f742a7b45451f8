#pragma once

#include <QObject>
#include <QTimer>

namespace varrow
{

// A timer with the desktop timer's granularity: intervals shorter than the minimum period
// (1/64 s, about 15.6 ms) are raised to it.
class TickTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr double kMinimumPeriodMs = 1000.0 / 64.0;

    explicit TickTimer(QObject* parent = nullptr);

    void setInterval(int milliseconds);
    int interval() const { return m_timer.interval(); }
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_timer.isActive(); }

signals:
    void Timer();

private:
    QTimer m_timer;
};

} // namespace varrow
