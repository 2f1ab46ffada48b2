#include "platform/instancelock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace platform {

namespace {

// A copy starting at the same moment creates its lock file before it writes its name into
// it; until a lock file is this old, an unreadable one may be such a copy's.
constexpr qint64 kSettleSeconds = 3;

#ifdef Q_OS_LINUX
// The name the system keeps for a running process; empty when there is no such process.
QByteArray processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return comm.readAll().trimmed();
}
#endif

// True when the lock's owner, as the lock file names it, is another copy of this program
// running on this machine.
bool ownerIsRunningCopy(const QLockFile &lock)
{
#ifdef Q_OS_LINUX
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0 || pid == QCoreApplication::applicationPid())
        return false;
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return false;
    const QByteArray name = processName(pid);
    return !name.isEmpty() && name == processName(QCoreApplication::applicationPid());
#else
    Q_UNUSED(lock);
    return true; // no way to look: whoever holds the lock is taken to run
#endif
}

bool ownedByAnotherUser(const QFileInfo &file)
{
#ifdef Q_OS_UNIX
    return file.isSymLink() || file.ownerId() != uint(geteuid());
#else
    Q_UNUSED(file);
    return false;
#endif
}

} // namespace

InstanceLock::InstanceLock(const QString &path)
    : path_(path)
    , lock_(path)
{
    lock_.setStaleLockTime(0); // a running copy's lock never turns stale by age
}

bool InstanceLock::heldByAnotherCopy()
{
    if (held_)
        return false;
    held_ = lock_.tryLock(0);
    if (held_ || lock_.error() != QLockFile::LockFailedError)
        return false;
    const QFileInfo file(path_);
    if (!file.exists() && !file.isSymLink()) {
        // The copy that held it has just ended.
        held_ = lock_.tryLock(0);
        return !held_ && lock_.error() == QLockFile::LockFailedError;
    }
    if (ownedByAnotherUser(file))
        return false;
    if (ownerIsRunningCopy(lock_))
        return true;
    if (qAbs(file.lastModified().secsTo(QDateTime::currentDateTime())) < kSettleSeconds)
        return true;
    // Removing fails while a process holds the file locked.
    if (!lock_.removeStaleLockFile())
        return true;
    held_ = lock_.tryLock(0);
    return !held_ && lock_.error() == QLockFile::LockFailedError;
}

} // namespace platform
