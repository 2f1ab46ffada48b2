#pragma once

#include <QLockFile>
#include <QString>

namespace platform {

// The lock that keeps a second copy of the program from running for the same user: a
// copy holds it from its start to its end.
class InstanceLock {
public:
    explicit InstanceLock(const QString &path);

    // Takes the lock unless a running copy of the program holds it; true when one does.
    // A lock file that names no running copy on this machine (unreadable, from another
    // host, from a process that is gone or is another program) is taken over once it is a
    // few seconds old. A lock file that belongs to another user is never taken for this
    // user's, and neither it nor a lock that cannot be taken for other reasons keeps the
    // program from starting.
    bool heldByAnotherCopy();

    bool held() const { return held_; }

private:
    QString path_;
    QLockFile lock_;
    bool held_ = false;
};

} // namespace platform
