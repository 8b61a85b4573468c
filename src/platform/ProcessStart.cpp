#include "platform/ProcessStart.h"

#include <ctime>
#include <pthread.h>
#include <unistd.h>

namespace platform {

uint32_t ClockTicksNow() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const uint64_t nanoseconds = static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
    return static_cast<uint32_t>(nanoseconds / (1000000000u / static_cast<uint64_t>(sysconf(_SC_CLK_TCK))));
}

namespace {

uint32_t g_programStart = ClockTicksNow();
// A forked process starts anew: the moment is taken again in it, before fork() returns there.
[[maybe_unused]] const int g_takenAgainInForks =
    pthread_atfork(nullptr, nullptr, [] { g_programStart = ClockTicksNow(); });

} // namespace

uint32_t ProgramStartTicks() {
    return g_programStart;
}

} // namespace platform
