#include "platform/lockdecision.h"

namespace platform {

LockDecision decideLock(const LockFacts &facts)
{
    if (!facts.present)
        return LockDecision::TakeOver;
    // Another user's lock is neither obeyed nor touched.
    if (!facts.ownedByUser)
        return LockDecision::GoAround;
    // Only a copy of this program locks the user's own lock.
    if (facts.heldByLiveProcess)
        return LockDecision::Refuse;
    if (facts.ordinaryFile) {
        // A lock that names this process was left by an earlier one that had the same id.
        const bool runningCopy = facts.readable && !facts.namesThisProcess && facts.sameHost && facts.holderAlive
            && facts.holderIsThisProgram && facts.holderIsThisUser;
        // A file that names no process yet may be a copy's that is starting this moment.
        if (runningCopy || (!facts.readable && !facts.settled))
            return LockDecision::Refuse;
    }
    return facts.removable ? LockDecision::TakeOver : LockDecision::GoAround;
}

} // namespace platform
