#include "shell/cli/StopSignals.h"

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

constexpr std::array<int, 3> kStopSignals{SIGINT, SIGTERM, SIGHUP};
// The pipe's ends; the handler writes into the second.
std::array<int, 2> g_pipe{-1, -1};
std::array<struct sigaction, kStopSignals.size()> g_before{};

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
    struct sigaction action = {};
    action.sa_handler = noteStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &action, &g_before[i]);
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &g_before[i], nullptr);
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
