#include "platform/OutOfMemory.h"
#include "platform/TerminationRequests.h"
#include "support/ProgramRun.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The wait status of `child` run in a forked copy of this process, its standard error going to `errorFile`.
int RunForked(const std::function<int()>& child, const char* errorFile = "/dev/null") {
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(open(errorFile, O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        _exit(child());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// Limits this process's address space to a few megabytes above what it has mapped: its memory is then near the limit.
void LimitAddressSpaceNearItsUse() {
    long pages = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm && std::fscanf(statm, "%ld", &pages) == 1) {
        const rlim_t bytes = static_cast<rlim_t>(pages * sysconf(_SC_PAGESIZE)) + (4u << 20);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_AS, &limit);
    }
}

// The fault of a library that did not check what it allocated.
[[gnu::noinline]] void Fault(int* target) {
    *static_cast<volatile int*>(target) = 1;
}

} // namespace

// Ctrl+C asks to end as a termination does; the first request is noted for the event loop. Delivered again at once
// (a closed terminal hangs up the editor and its shell passes the hang-up on; the end of a session sends SIGTERM and
// SIGHUP) it is the same request, also after a declined close. A request that comes later is a second one: it ends the
// process by its signal even while the event loop never runs.
TEST(ProcessSignals, ARequestDeliveredAgainAtOnceIsOneALaterOneEndsTheProcess) {
    const int status = RunForked([] {
        int argc = 1;
        char name[] = "child";
        char* argv[] = {name, nullptr};
        const QCoreApplication application(argc, argv);
        const platform::TerminationRequests termination([] {});
        for (const int signalNumber : {SIGINT, SIGINT, SIGHUP, SIGTERM})
            raise(signalNumber);
        if (platform::TerminationRequests::Count() != 1)
            return 3;
        platform::TerminationRequests::Declined();
        usleep(platform::TerminationRequests::kSameRequestMilliseconds * 1000);
        raise(SIGHUP);
        raise(SIGHUP);
        if (platform::TerminationRequests::Count() != 2)
            return 4;
        usleep(platform::TerminationRequests::kSameRequestMilliseconds * 1100);
        raise(SIGTERM);
        return 0;
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

// Near its memory limit a fault is a library's unchecked allocation: the process says that memory ran out and ends
// with status 1. Any other fault ends it as before.
TEST(ProcessSignals, AFaultNearTheMemoryLimitEndsWithTheMessage) {
    if (!CanLimitMemory())
        GTEST_SKIP() << "the sanitizer build cannot run within a bounded address space";
    const std::string errorFile = "/tmp/nuv-fault-" + std::to_string(getpid());
    for (const bool limited : {true, false}) {
        const int status = RunForked(
            [limited] {
                platform::ExitOnOutOfMemory(QStringLiteral("child: out of memory"));
                if (limited)
                    LimitAddressSpaceNearItsUse();
                Fault(nullptr);
                return 0;
            },
            errorFile.c_str());
        char said[64] = {};
        FILE* error = std::fopen(errorFile.c_str(), "r");
        ASSERT_TRUE(error);
        std::fread(said, 1, sizeof(said) - 1, error);
        std::fclose(error);
        std::remove(errorFile.c_str());
        if (limited)
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1 && said == std::string("child: out of memory\n"))
                << status << said;
        else
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGSEGV) << status;
    }
}

// A SIGSEGV or SIGBUS that a process sends is no fault, near the memory limit or not: it takes its default action, as
// without the handler of faults.
TEST(ProcessSignals, ASegmentationSignalSentByAProcessTakesItsDefaultAction) {
    if (!CanLimitMemory())
        GTEST_SKIP() << "the sanitizer build handles these signals itself";
    for (const int signalNumber : {SIGSEGV, SIGBUS}) {
        for (const bool limited : {true, false}) {
            const int status = RunForked([signalNumber, limited] {
                platform::ExitOnOutOfMemory(QStringLiteral("child: out of memory"));
                if (limited)
                    LimitAddressSpaceNearItsUse();
                kill(getpid(), signalNumber);
                return 0;
            });
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber)
                << strsignal(signalNumber) << (limited ? " near the limit: " : ": ") << status;
        }
    }
}
