#include "platform/desktop/ProgressMeter.h"

#include <algorithm>
#include <cmath>

namespace varrow
{
namespace
{

constexpr int kSteps = 10000;

} // namespace

ProgressMeter::ProgressMeter(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, kSteps);
    setTextVisible(false);
}

void ProgressMeter::setMax(int max)
{
    m_max = max;
    showValue();
}

void ProgressMeter::setMeterValue(double value)
{
    m_value = value;
    showValue();
}

void ProgressMeter::showValue()
{
    const double share = m_max > 0 ? std::clamp(m_value / m_max, 0.0, 1.0) : 0.0;
    setValue(static_cast<int>(std::lround(share * kSteps)));
}

} // namespace varrow
