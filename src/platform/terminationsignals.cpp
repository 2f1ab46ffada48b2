#include "platform/terminationsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>
#endif

namespace platform {

#ifdef Q_OS_UNIX
namespace {

constexpr int kSignals[] = { SIGTERM, SIGINT, SIGHUP };
int pipeEnds[2] = { -1, -1 };
struct sigaction previousActions[std::size(kSignals)];

// Only what is safe in a signal handler: one byte into the pipe.
void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

} // namespace
#endif

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (pipeEnds[0] >= 0 || ::pipe(pipeEnds) != 0)
        return;
    for (const int end : pipeEnds) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, O_NONBLOCK);
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        if (::sigaction(kSignals[i], nullptr, &previousActions[i]) != 0 || previousActions[i].sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(kSignals[i], &action, nullptr);
    }
#endif
}

TerminationSignals::~TerminationSignals()
{
#ifdef Q_OS_UNIX
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        struct sigaction current = {};
        if (::sigaction(kSignals[i], nullptr, &current) == 0 && current.sa_handler == onSignal)
            ::sigaction(kSignals[i], &previousActions[i], nullptr);
    }
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
#endif
}

void TerminationSignals::readPipe()
{
#ifdef Q_OS_UNIX
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) { }
    emit received();
#endif
}

} // namespace platform
