#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

// The progress of a list capture as a person reads it: one line on a terminal, rewritten in place.
namespace varrow
{

struct ListProgress {
    std::size_t done = 0;     // pages finished (done, failed or skipped)
    std::size_t total = 0;    // pages of the list (of this shard)
    std::size_t captured = 0; // pages loaded in this run, of `done`
    std::size_t picturesSaved = 0;
    double seconds = 0; // since the run began
};

// "12/200 pages, 240 pictures saved, 35.5 pages/min, 5 min 18 s left": the rate and the time left
// count the pages loaded in this run, and read "--" until one has been.
std::string formatProgress(const ListProgress& progress);

// "42 s", "5 min 18 s", "3 h 07 min".
std::string formatDuration(double seconds);

// Writes the progress to a terminal as one line that each update rewrites, at most a few times a
// second; writes nothing when `enabled` is false (standard error is not a terminal).
class ProgressLine
{
public:
    ProgressLine(std::ostream& terminal, bool enabled);

    void update(const ListProgress& progress);
    // Erases the line, so that a message can take its place; the next update writes it again.
    void clear();
    // Writes the last state and ends the line.
    void finish(const ListProgress& progress);

private:
    void write(const ListProgress& progress);

    std::ostream& m_terminal;
    bool m_enabled;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_lastWrite{};
};

} // namespace varrow
