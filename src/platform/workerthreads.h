#pragma once

namespace platform {

// Qt's painting and image conversion hand big jobs to its global thread pool and wait for
// them; a pool thread that cannot start (an address-space limit leaves no room for another
// stack) would make them wait for good. The pool gets its thread now, with a small stack,
// and keeps it for the life of the process, so that no image work waits on a thread that has
// yet to start. False when no thread can start at all.
bool prepareWorkerThreads();

} // namespace platform
