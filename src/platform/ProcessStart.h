#pragma once

#include <cstdint>

namespace platform {

// Moments counted in clock ticks since the machine started, its sleep included (a hundredth of a second each), the low
// 32 bits.
uint32_t ClockTicksNow();
// The moment this process began to run the program: when the program's static objects were made, right after the
// program was executed (which a shell's `exec` does long after the process was forked), or when the process was
// forked from a process of the program, whichever came last.
uint32_t ProgramStartTicks();
// Whether the process `pid` has ended and waits only for its parent to take its exit status (a zombie): its locks and
// files are let go. False where the system does not say.
bool ProcessHasEnded(uint32_t pid);

} // namespace platform
