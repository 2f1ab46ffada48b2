#pragma once

namespace platform {

// What a start finds at the place of the single-instance lock, gathered in the system's own
// way: on Linux from the lock file and the process it names, on Windows from the named
// mutex. A fact that cannot be found out keeps its default.
struct LockFacts {
    bool present = false; // something is there already
    bool ownedByUser = true; // it belongs to the user the program runs as
    bool ordinaryFile = true; // a plain file, not a folder, FIFO, link or device
    bool heldByLiveProcess = false; // a running process holds it locked (or holds the mutex)
    bool readable = false; // its content names a process
    bool namesThisProcess = false; // the process id named is this process's own
    bool sameHost = true; // it names this machine, or no machine
    bool holderAlive = false; // the process named runs
    bool holderIsThisProgram = false; // and runs this program
    bool holderIsThisUser = false; // as this user
    bool settled = true; // old enough that a copy starting now would have written it
    bool removable = false; // this user can take it away
};

enum class LockDecision {
    TakeOver, // nothing there, or nothing of a running copy: (replace it and) take the lock
    Refuse, // a running copy of this program of this user holds it
    GoAround, // neither: start without the single-instance guard
};

// The one rule for both systems.
LockDecision decideLock(const LockFacts &facts);

} // namespace platform
