#include "platform/OutOfMemory.h"

#include "platform/SignalActions.h"

#include <QProcess>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <new>
#include <thread>
#include <typeinfo>

#include <cxxabi.h>
#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

namespace platform {

namespace {

char g_message[1024];
std::size_t g_messageLength = 0;
std::terminate_handler g_previousHandler = nullptr;
std::atomic_flag g_ending = ATOMIC_FLAG_INIT;
long g_pageSize = 4096;
// The faults of a thread whose stack has run into the limit are handled on this one.
alignas(16) char g_faultStack[64 * 1024];
struct sigaction g_previousSegmentFault {};
struct sigaction g_previousBusError {};

// Within this of its limit, a process's next allocation of a thread's stack, a block of a library or a page of its
// heap may fail.
constexpr rlim_t kLimitMargin = 32u << 20;

// The address space each heap of the allocator's but the first reserves (on a 64-bit system), the share of a limit
// that such reservations may take, and the limit below which the threads share one heap: there, the room a
// reservation takes is room a document may need. From that limit on each thread of a parallel run (at most eight,
// see ParallelWork) has a heap of its own, whatever the share: with fewer they wait on each other's locks.
constexpr std::uint64_t kHeapReservation = std::uint64_t{64} << 20;
constexpr std::uint64_t kReservationShareOfLimit = 4;
constexpr std::uint64_t kOneHeapBelow = 1'000'000'000;
constexpr std::uint64_t kParallelThreads = 8;

// Whether the exception that ends the process is std::bad_alloc or one of its kind. Asked of the runtime without
// throwing it again, which would need memory.
bool EndsForLackOfMemory() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    return type && (*type == typeid(std::bad_alloc) || *type == typeid(std::bad_array_new_length));
}

} // namespace

void EndForLackOfMemory() {
    // Several threads may run out at once: one says so and ends the process, the others wait for that.
    if (!g_ending.test_and_set()) {
        for (std::size_t written = 0; written < g_messageLength;) {
            const ssize_t done = write(STDERR_FILENO, g_message + written, g_messageLength - written);
            if (done <= 0)
                break;
            written += static_cast<std::size_t>(done);
        }
        _exit(1);
    }
    for (;;)
        pause();
}

namespace {

// The limit set on `resource`, 0 for none. Safe in a signal handler.
rlim_t LimitOf(int resource) {
    rlimit limit{};
    return getrlimit(resource, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY ? limit.rlim_cur : 0;
}

// Whether the process's address space (field 0 of /proc/self/statm, in pages) or its data (field 5) is within the
// margin of its limit. Reads with calls that are safe in a signal handler only.
bool NearMemoryLimit() {
    char text[256];
    const int file = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return false;
    const ssize_t length = read(file, text, sizeof(text) - 1);
    close(file);
    if (length <= 0)
        return false;
    rlim_t fields[6] = {};
    int field = 0;
    for (ssize_t i = 0; i < length && field < 6; ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            fields[field] = fields[field] * 10 + static_cast<rlim_t>(text[i] - '0');
        else if (text[i] == ' ')
            ++field;
    }
    const auto near = [](int resource, rlim_t pages) {
        const rlim_t limit = LimitOf(resource);
        return limit != 0 && pages * static_cast<rlim_t>(g_pageSize) + kLimitMargin >= limit;
    };
    return near(RLIMIT_AS, fields[0]) || near(RLIMIT_DATA, fields[5]);
}

extern "C" void EndOnFault(int signalNumber, siginfo_t* info, void* context) {
    const struct sigaction& previous = signalNumber == SIGBUS ? g_previousBusError : g_previousSegmentFault;
    // A signal that a process sent (kill, sigqueue, tgkill) is no fault: it takes the action it had before.
    if (info->si_code <= 0) {
        if (previous.sa_flags & SA_SIGINFO) {
            previous.sa_sigaction(signalNumber, info, context);
        } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
            previous.sa_handler(signalNumber);
        } else if (previous.sa_handler == SIG_DFL) {
            // Delivered again, by default, once this returns.
            sigaction(signalNumber, &previous, nullptr);
            raise(signalNumber);
        }
        return;
    }
    if (NearMemoryLimit())
        EndForLackOfMemory();
    // Any other fault is handled as before: the instruction faults again once this returns.
    sigaction(signalNumber, &previous, nullptr);
}

[[noreturn]] void Terminate() {
    if (EndsForLackOfMemory())
        EndForLackOfMemory();
    if (g_previousHandler)
        g_previousHandler();
    std::abort();
}

} // namespace

unsigned HeapArenasWithin(std::uint64_t limitBytes, unsigned cores) {
    if (limitBytes < kOneHeapBelow)
        return 1;
    const std::uint64_t most = std::uint64_t{8} * std::max(cores, 1u);
    const std::uint64_t withinShare = 1 + limitBytes / kReservationShareOfLimit / kHeapReservation;
    return static_cast<unsigned>(std::min(most, std::max(kParallelThreads, withinShare)));
}

void ExitOnOutOfMemory(const QString& message) {
    const QByteArray bytes = (message + QLatin1Char('\n')).toUtf8();
    g_messageLength = std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), sizeof(g_message));
    std::memcpy(g_message, bytes.constData(), g_messageLength);
    const std::terminate_handler previous = std::set_terminate(Terminate);
    if (previous != Terminate)
        g_previousHandler = previous;

    // Each heap the allocator adds for another thread reserves address space: under a limit the threads share as
    // many as the tighter limit leaves room for, and the rest stays for what the process stores.
    const rlim_t addressSpace = LimitOf(RLIMIT_AS);
    const rlim_t data = LimitOf(RLIMIT_DATA);
    if (addressSpace != 0 || data != 0) {
        const rlim_t tighter = addressSpace == 0 ? data : data == 0 ? addressSpace : std::min(addressSpace, data);
        mallopt(M_ARENA_MAX, static_cast<int>(HeapArenasWithin(tighter, std::thread::hardware_concurrency())));
    }

    g_pageSize = sysconf(_SC_PAGESIZE);
    stack_t stack{};
    stack.ss_sp = g_faultStack;
    stack.ss_size = sizeof(g_faultStack);
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_sigaction = EndOnFault;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_SIGINFO;
    struct sigaction before {};
    if (SetSignalAction(SIGSEGV, action, &before) && before.sa_sigaction != EndOnFault)
        g_previousSegmentFault = before;
    if (SetSignalAction(SIGBUS, action, &before) && before.sa_sigaction != EndOnFault)
        g_previousBusError = before;
}

void FailWritesBeyondFileSizeLimit() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    SetSignalAction(SIGXFSZ, ignore);
}

void StartWithInheritedSignals(QProcess& process) {
    // Runs in the child between fork and exec: only calls that are safe there.
    process.setChildProcessModifier([] {
        RestoreInheritedAction(SIGXFSZ);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
    });
}

} // namespace platform
