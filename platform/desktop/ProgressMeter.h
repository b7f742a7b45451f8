#pragma once

#include <QProgressBar>

namespace varrow
{

// A progress bar with a whole-number maximum and a fractional value, so that a value just
// above zero can be told from an empty bar.
class ProgressMeter : public QProgressBar
{
    Q_OBJECT

public:
    explicit ProgressMeter(QWidget* parent = nullptr);

    void setMax(int max);
    int max() const { return m_max; }
    void setMeterValue(double value);
    double meterValue() const { return m_value; }

private:
    void showValue();

    int m_max = 100;
    double m_value = 0;
};

} // namespace varrow
