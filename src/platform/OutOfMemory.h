#pragma once

#include <QString>

#include <cstdint>

class QProcess;

namespace platform {

// From here on, running out of memory where nothing catches it (an exception that leaves main, a worker thread, the
// event loop or a function that may not throw) ends the process with `message` and a line break on standard error and
// status 1, never with a signal; the message is made now, since nothing can be allocated then. So does a fault
// (SIGSEGV, SIGBUS) while the process's memory is within a few megabytes of its limit (ulimit -v or -d): libraries
// that do not check their allocations fail there when memory runs out. Any other exception or fault ends the process
// as before; a SIGSEGV or SIGBUS that a process sent is no fault and takes the action it had before. Under a limit the
// threads share as many heaps as HeapArenasWithin gives. The editor, the converter and the test tools call it as they
// start.
void ExitOnOutOfMemory(const QString& message);
// Ends the process with that message and status 1, as when memory has run out. Safe in a signal handler.
[[noreturn]] void EndForLackOfMemory();

// The heaps the allocator keeps for the threads of a process whose memory is limited to `limitBytes` (ulimit -v or -d)
// on `cores` processors: a thread takes a heap of its own while there are fewer, then shares one, waiting on its lock.
// Each heap but the first reserves 64 MiB of address space, whatever it holds, and under a tight limit a document
// needs that room: below 1 GB (10^9 bytes) all threads share one heap. From there each of the eight threads of a
// parallel run has one, and from 2 GiB there are as many as reserve at most a quarter of the limit; never more heaps
// than the allocator keeps without a limit, eight a processor.
unsigned HeapArenasWithin(std::uint64_t limitBytes, unsigned cores);

// From here on, a write beyond the limit on file sizes (ulimit -f) fails with EFBIG, which the writer reports as any
// failed write, instead of ending the process by SIGXFSZ.
void FailWritesBeyondFileSizeLimit();
// The program `process` starts gets the action of SIGXFSZ that this process inherited back, and no signal blocked, as
// a program started from the same shell has them, whatever this process ignores or blocks.
void StartWithInheritedSignals(QProcess& process);

} // namespace platform
