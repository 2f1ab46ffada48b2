#pragma once

#include <QString>

namespace platform {

// The lock that keeps a second copy of the program from running for the same user: a
// copy holds it from its start to its end. On Linux a file that the copy keeps open and
// locked; on Windows a named mutex, which the system releases when its process ends, however
// it ends.
class InstanceLock {
public:
    // place: the lock file's path, or on Windows the mutex's name.
    explicit InstanceLock(const QString &place);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock unless a running copy of this program of this user holds it; true
    // when one does. What the user owns and no such copy holds is replaced: a lock file
    // left by a crash, read-only, from another host or naming a process that is gone or is
    // another program or user's, an empty folder, a FIFO; a lock file that names no process
    // yet once it is a few seconds old. What cannot be replaced, another user's lock among
    // it, is gone around: the program starts without the guard. Nothing found there is
    // opened in a way that can block, nor read beyond the few hundred bytes a lock holds.
    bool heldByAnotherCopy();

    bool held() const { return held_; }

private:
    bool take();

    QString place_;
    bool held_ = false;
#ifdef Q_OS_WIN
    void *mutex_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace platform
