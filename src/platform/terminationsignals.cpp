#include "platform/terminationsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <atomic>
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
// The pipe is made once and stays open until the process ends: a signal may come late, on
// any thread, and must never write into a descriptor that was closed or handed out again.
std::atomic<int> readEnd { -1 };
std::atomic<int> writeEnd { -1 };
// A signal has come that the event loop has not taken yet.
std::atomic<bool> pending { false };
struct sigaction previousActions[std::size(kSignals)];

// Only what is safe in a signal handler: one byte into the pipe. A second signal before the
// event loop took the first (a program that hangs) ends the process at once, as the signal
// would have without this handler.
void onSignal(int number)
{
    const int saved = errno;
    if (pending.exchange(true)) {
        ::signal(number, SIG_DFL);
        ::raise(number);
    }
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd.load(), &byte, 1);
    errno = saved;
}

bool openPipe()
{
    if (readEnd.load() >= 0)
        return true;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    writeEnd.store(ends[1]);
    readEnd.store(ends[0]);
    return true;
}

} // namespace
#endif

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
#ifdef Q_OS_UNIX
    if (!openPipe())
        return;
    char stale[16];
    while (::read(readEnd.load(), stale, sizeof stale) > 0) { }
    pending.store(false);
    notifier_ = new QSocketNotifier(readEnd.load(), QSocketNotifier::Read, this);
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
#endif
}

void TerminationSignals::readPipe()
{
#ifdef Q_OS_UNIX
    char bytes[16];
    while (::read(readEnd.load(), bytes, sizeof bytes) > 0) { }
    pending.store(false);
    emit received();
#endif
}

} // namespace platform
