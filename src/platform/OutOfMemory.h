#pragma once

#include <QString>

namespace platform {

// From here on, running out of memory where nothing catches it (an exception that leaves main, a worker thread, the
// event loop or a function that may not throw) ends the process with `message` and a line break on standard error and
// status 1, never with a signal; the message is made now, since nothing can be allocated then. So does a fault
// (SIGSEGV, SIGBUS) while the process's memory is within a few megabytes of its limit (ulimit -v or -d): libraries
// that do not check their allocations fail there when memory runs out. Any other exception or fault ends the process
// as before; a SIGSEGV or SIGBUS that a process sent is no fault and takes the action it had before.
void ExitOnOutOfMemory(const QString& message);
// Ends the process with that message and status 1, as when memory has run out. Safe in a signal handler.
[[noreturn]] void EndForLackOfMemory();

// From here on, a write beyond the limit on file sizes (ulimit -f) fails with EFBIG, which the writer reports as any
// failed write, instead of ending the process by SIGXFSZ.
void FailWritesBeyondFileSizeLimit();

} // namespace platform
