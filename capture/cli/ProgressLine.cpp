#include "capture/cli/ProgressLine.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace varrow
{
namespace
{

// Rewriting the line more often only costs the terminal time.
constexpr std::chrono::milliseconds kUpdateEvery{250};

std::string twoDigits(long long value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

} // namespace

std::string formatDuration(double seconds)
{
    const long long whole = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds) : 0;
    if (whole < 60)
        return std::to_string(whole) + " s";
    if (whole < 3600)
        return std::to_string(whole / 60) + " min " + twoDigits(whole % 60) + " s";
    return std::to_string(whole / 3600) + " h " + twoDigits(whole / 60 % 60) + " min";
}

std::string formatProgress(const ListProgress& progress)
{
    std::string line = std::to_string(progress.done) + "/" + std::to_string(progress.total) +
                       " pages, " + std::to_string(progress.picturesSaved) + " pictures saved, ";
    if (progress.captured == 0 || progress.seconds <= 0)
        return line + "-- pages/min, -- left";
    const double perMinute = double(progress.captured) * 60 / progress.seconds;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", perMinute);
    const std::size_t left = progress.total > progress.done ? progress.total - progress.done : 0;
    return line + rate + " pages/min, " + formatDuration(double(left) * 60 / perMinute) + " left";
}

ProgressLine::ProgressLine(std::ostream& terminal, bool enabled)
    : m_terminal(terminal), m_enabled(enabled)
{
}

void ProgressLine::update(const ListProgress& progress)
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_enabled || now - m_lastWrite < kUpdateEvery)
        return;
    m_lastWrite = now;
    write(progress);
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    m_terminal << "\r\x1b[K" << std::flush;
    m_shown = false;
    m_lastWrite = {};
}

void ProgressLine::finish(const ListProgress& progress)
{
    if (!m_enabled)
        return;
    write(progress);
    m_terminal << '\n' << std::flush;
}

void ProgressLine::write(const ListProgress& progress)
{
    // Back to the line's start, the text, and the rest of an earlier, longer line erased.
    m_terminal << '\r' << formatProgress(progress) << "\x1b[K" << std::flush;
    m_shown = true;
}

} // namespace varrow
