#include "platform/desktop/TickTimer.h"

#include <cmath>

namespace varrow
{

TickTimer::TickTimer(QObject* parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::Timer);
}

void TickTimer::setInterval(int milliseconds)
{
    const auto minimum = static_cast<int>(std::lround(kMinimumPeriodMs));
    m_timer.setInterval(std::max(milliseconds, minimum));
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

} // namespace varrow
