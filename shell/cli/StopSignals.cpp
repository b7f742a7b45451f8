#include "shell/cli/StopSignals.h"

#include "platform/process/StopSignalHandling.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace varrow
{
namespace
{

// The pipe's ends; the handler writes into the second.
std::array<int, 2> g_pipe{-1, -1};
StopSignalHandling g_before{};

void noteStop(int signal)
{
    const int saved = errno;
    const char number = char(signal);
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &number, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    if (pipe2(g_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default handling
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::handleReadable);
    g_before = handleStopSignals(noteStop);
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    restoreStopSignals(g_before);
    delete m_notifier;
    close(g_pipe[0]);
    close(g_pipe[1]);
    g_pipe = {-1, -1};
}

void StopSignals::handleReadable()
{
    char number = 0;
    while (read(g_pipe[0], &number, 1) == 1) {
        if (m_received == 0)
            m_received = number;
        emit stopRequested(number);
    }
}

} // namespace varrow
