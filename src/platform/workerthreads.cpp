#include "platform/workerthreads.h"

#include <QSemaphore>
#include <QThreadPool>

#ifdef Q_OS_UNIX
#include <pthread.h>
#endif

namespace platform {

namespace {

// Enough for Qt's drawing and conversion routines, a fraction of the usual 8 MiB.
constexpr unsigned kStackBytes = 512 * 1024;

// Whether a thread with such a stack can start now.
bool threadCanStart()
{
#ifdef Q_OS_UNIX
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0)
        return false;
    pthread_attr_setstacksize(&attributes, kStackBytes);
    pthread_t thread;
    const bool started = pthread_create(
                             &thread, &attributes, [](void *) -> void * { return nullptr; }, nullptr)
        == 0;
    pthread_attr_destroy(&attributes);
    if (started)
        pthread_join(thread, nullptr);
    return started;
#else
    return true;
#endif
}

} // namespace

bool prepareWorkerThreads()
{
    if (!threadCanStart())
        return false;
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->setStackSize(kStackBytes);
    pool->setExpiryTimeout(-1); // a thread once started stays
    pool->setMaxThreadCount(1); // and no other is ever asked for
    QSemaphore started;
    pool->start([&started] { started.release(); });
    started.acquire();
    return true;
}

} // namespace platform
