#include "platform/instancelock.h"

#include "platform/lockdecision.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef Q_OS_WIN

InstanceLock::InstanceLock(const QString &place)
    : place_(place)
{
}

InstanceLock::~InstanceLock()
{
    if (mutex_)
        CloseHandle(mutex_);
}

bool InstanceLock::take()
{
    mutex_ = CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t *>(place_.utf16()));
    return mutex_ && GetLastError() != ERROR_ALREADY_EXISTS;
}

bool InstanceLock::heldByAnotherCopy()
{
    if (held_ || mutex_)
        return false;
    LockFacts facts;
    held_ = take();
    if (!held_) {
        facts.present = true;
        // A mutex of this name that this user may not open is another user's.
        facts.ownedByUser = mutex_ || GetLastError() != ERROR_ACCESS_DENIED;
        facts.heldByLiveProcess = mutex_ != nullptr;
    }
    return decideLock(facts) == LockDecision::Refuse;
}

#else

namespace {

// A copy starting at the same moment creates its lock file before it locks it; until a
// lock file is this old, one that nobody holds may be such a copy's.
constexpr time_t kSettleSeconds = 3;
// More than a lock holds: a process id, the program's name and the host's.
constexpr ssize_t kLockTextLimit = 512;

QByteArray readSmall(const QByteArray &path, qint64 limit = kLockTextLimit)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.read(limit) : QByteArray();
}

// The effective user id of a process, from its status file's "Uid:" line; -1 when unknown.
// (The owner of the process's folder is root for a process that changed its user.)
qint64 effectiveUser(const QByteArray &process)
{
    for (const QByteArray &line : readSmall(process + "/status", 4096).split('\n')) {
        if (line.startsWith("Uid:")) {
            const QList<QByteArray> ids = line.simplified().split(' ');
            return ids.size() > 2 ? ids.at(2).toLongLong() : -1;
        }
    }
    return -1;
}

bool isEmptyFolder(const QByteArray &path)
{
    DIR *folder = opendir(path.constData());
    if (!folder)
        return false;
    int entries = 0;
    while (const dirent *entry = readdir(folder)) {
        if (++entries > 2)
            break;
        Q_UNUSED(entry);
    }
    closedir(folder);
    return entries <= 2;
}

// The facts about the process a lock file's text names.
void learnHolder(const QByteArray &text, LockFacts &facts)
{
    const QList<QByteArray> lines = text.split('\n');
    bool number = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&number);
    facts.readable = number && pid > 0 && pid <= std::numeric_limits<pid_t>::max();
    if (!facts.readable)
        return;
    const QByteArray host = lines.value(2).trimmed();
    facts.sameHost = host.isEmpty() || host == QSysInfo::machineHostName().toUtf8();
    facts.namesThisProcess = pid == QCoreApplication::applicationPid();
    if (!facts.sameHost || facts.namesThisProcess)
        return;
    const QByteArray process = "/proc/" + QByteArray::number(pid);
    struct stat status = {};
    facts.holderAlive = ::stat(process.constData(), &status) == 0 || ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
    if (!facts.holderAlive)
        return;
    facts.holderIsThisUser = effectiveUser(process) == qint64(::geteuid());
    const QByteArray name = readSmall(process + "/comm").trimmed();
    facts.holderIsThisProgram = !name.isEmpty() && name == readSmall("/proc/self/comm").trimmed();
}

// Opens what is at path for reading without following a link and without blocking, and
// only when it is the very ordinary file that lstat saw.
int openOrdinaryFile(const QByteArray &path, const struct stat &seen)
{
    int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd < 0 && errno == EACCES && ::chmod(path.constData(), S_IRUSR | S_IWUSR) == 0)
        fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    struct stat opened = {};
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || opened.st_ino != seen.st_ino || opened.st_dev != seen.st_dev)) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

// What is at path, found out without blocking. When it is an ordinary file nobody holds,
// lockedFd comes back holding it locked, so that no other copy takes it meanwhile.
LockFacts gatherFacts(const QByteArray &path, int &lockedFd)
{
    LockFacts facts;
    struct stat seen = {};
    if (::lstat(path.constData(), &seen) != 0)
        return facts;
    facts.present = true;
    facts.ownedByUser = seen.st_uid == ::geteuid();
    if (!facts.ownedByUser)
        return facts;
    facts.ordinaryFile = S_ISREG(seen.st_mode);
    facts.settled = qAbs(std::time(nullptr) - seen.st_mtime) >= kSettleSeconds;
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).path());
    facts.removable = ::access(folder.constData(), W_OK | X_OK) == 0 && (!S_ISDIR(seen.st_mode) || isEmptyFolder(path));
    if (!facts.ordinaryFile)
        return facts;
    const int fd = openOrdinaryFile(path, seen);
    if (fd < 0)
        return facts;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        facts.heldByLiveProcess = errno == EWOULDBLOCK;
        ::close(fd);
        return facts;
    }
    lockedFd = fd;
    char text[kLockTextLimit];
    const ssize_t size = ::pread(fd, text, sizeof text, 0);
    learnHolder(QByteArray(text, int(qMax<ssize_t>(size, 0))), facts);
    return facts;
}

// Takes away what gatherFacts() found, when it is still the same.
bool removeFound(const QByteArray &path, int lockedFd)
{
    struct stat seen = {};
    if (::lstat(path.constData(), &seen) != 0)
        return errno == ENOENT;
    if (lockedFd >= 0) {
        struct stat locked = {};
        if (::fstat(lockedFd, &locked) != 0 || locked.st_ino != seen.st_ino || locked.st_dev != seen.st_dev)
            return false;
    }
    return (S_ISDIR(seen.st_mode) ? ::rmdir(path.constData()) : ::unlink(path.constData())) == 0;
}

} // namespace

InstanceLock::InstanceLock(const QString &place)
    : place_(place)
{
}

InstanceLock::~InstanceLock()
{
    if (fd_ < 0)
        return;
    // Only the file this copy made goes: another may have replaced it meanwhile.
    const QByteArray path = QFile::encodeName(place_);
    struct stat own = {};
    struct stat there = {};
    if (::fstat(fd_, &own) == 0 && ::lstat(path.constData(), &there) == 0 && own.st_ino == there.st_ino
        && own.st_dev == there.st_dev)
        ::unlink(path.constData());
    ::close(fd_);
}

bool InstanceLock::take()
{
    const QByteArray path = QFile::encodeName(place_);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        errno = EEXIST;
        return false;
    }
    // On a full disk the file stays empty; its lock keeps other copies out all the same.
    const QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + "\nhoopwright\n"
        + QSysInfo::machineHostName().toUtf8() + "\n";
    [[maybe_unused]] const ssize_t written = ::write(fd, text.constData(), size_t(text.size()));
    fd_ = fd;
    return true;
}

bool InstanceLock::heldByAnotherCopy()
{
    if (held_)
        return false;
    const QByteArray path = QFile::encodeName(place_);
    // A second round when the place was cleared and another copy took it first.
    for (int round = 0; round < 3; ++round) {
        if (take()) {
            held_ = true;
            return false;
        }
        if (errno != EEXIST)
            return false; // no lock can be made there (a read-only or missing folder)
        int lockedFd = -1;
        const LockFacts facts = gatherFacts(path, lockedFd);
        const LockDecision decision = decideLock(facts);
        const bool removed = decision == LockDecision::TakeOver && removeFound(path, lockedFd);
        if (lockedFd >= 0)
            ::close(lockedFd);
        if (decision == LockDecision::Refuse)
            return true;
        if (decision == LockDecision::GoAround || (!removed && facts.present))
            return false;
    }
    return false;
}

#endif

} // namespace platform
