#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// Moments as the kernel dates the start of a process: clock ticks since the machine started, its sleep included (a
// hundredth of a second each), the low 32 bits.
uint32_t ClockTicksNow();
// The moment the current process was started; none when the system does not say.
std::optional<uint32_t> ProcessStartTicks();
// Whether the process `pid` has ended and waits only for its parent to take its exit status (a zombie): its locks and
// files are let go. False where the system does not say.
bool ProcessHasEnded(uint32_t pid);

} // namespace platform
