#include "platform/os/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace os {

namespace {

constexpr std::array<int, 2> watchedSignals { SIGTERM, SIGINT };

// The write end of the pipe from the signal handler to the event loop. A signal handler can reach no object, so
// this one descriptor is the process's state; -1 while no object watches.
std::atomic<int> signalWriteEnd { -1 };
// The handlers in force before the one object took the signals, put back when it goes.
struct sigaction previousActions[watchedSignals.size()];

extern "C" void onTerminationSignal(int signalNumber)
{
    // Only async-signal-safe calls here: one byte into the pipe, errno kept for the code the signal interrupted.
    const int savedErrno = errno;
    const int fd = signalWriteEnd.load();
    if (fd >= 0) {
        const auto byte = static_cast<char>(signalNumber);
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    if (signalWriteEnd.load() >= 0)
        return; // another object watches already
    int ends[2] = { -1, -1 };
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    m_handlerEnd = ends[0];
    m_loopEnd = ends[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_loopEnd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    signalWriteEnd.store(m_handlerEnd);

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_watching = true;
    for (size_t i = 0; i < watchedSignals.size(); ++i)
        m_watching = ::sigaction(watchedSignals[i], &action, &previousActions[i]) == 0 && m_watching;
}

TerminationSignals::~TerminationSignals()
{
    if (m_handlerEnd < 0)
        return;
    for (size_t i = 0; i < watchedSignals.size(); ++i)
        ::sigaction(watchedSignals[i], &previousActions[i], nullptr);
    signalWriteEnd.store(-1);
    m_notifier.reset();
    ::close(m_handlerEnd);
    ::close(m_loopEnd);
}

void TerminationSignals::readSignal()
{
    char bytes[16];
    ssize_t count = 0;
    int last = 0;
    while ((count = ::read(m_loopEnd, bytes, sizeof bytes)) > 0)
        last = bytes[count - 1];
    if (last != 0)
        emit received(last);
}

} // namespace os
