#include "model/ParallelWork.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <new>
#include <thread>
#include <vector>

namespace {

// How often each item ran.
std::vector<int> RunCounted(std::size_t count, std::size_t minimumPerThread) {
    std::vector<std::atomic<int>> runs(count);
    RunInParallel(count, minimumPerThread, [&](std::size_t i) { ++runs[i]; });
    std::vector<int> counted;
    for (const std::atomic<int>& run : runs)
        counted.push_back(run.load());
    return counted;
}

} // namespace

TEST(ParallelWork, RunsEveryItemOnceWhateverTheCountAndShare) {
    for (const std::size_t count : {0, 1, 2, 7, 33, 1000, 100000}) {
        for (const std::size_t minimum : {0, 1, 48, 4096}) {
            const std::vector<int> runs = RunCounted(count, minimum);
            EXPECT_EQ(std::count(runs.begin(), runs.end(), 1), static_cast<std::ptrdiff_t>(count))
                << count << " items, at least " << minimum << " per thread";
        }
    }
}

TEST(ParallelWork, TheCallerGoesOnWhileAStartedRunIsUnderWayAndWaitEndsIt) {
    std::atomic<int> done{0};
    std::atomic<bool> callerWorked{false};
    {
        ParallelRun run(64, 1, [&](std::size_t) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            ++done;
        });
        callerWorked = true;
        run.Wait();
        EXPECT_EQ(done.load(), 64);
        run.Wait(); // a second wait has nothing left to do
    }
    EXPECT_TRUE(callerWorked);
    // A run not waited for is finished by its end.
    {
        ParallelRun run(64, 1, [&](std::size_t) { ++done; });
    }
    EXPECT_EQ(done.load(), 128);
}

TEST(ParallelWork, NestedRunsAndRunsFromSeveralThreadsFinish) {
    // Every worker busy with an outer item that starts runs of its own: the callers take the inner items.
    std::atomic<int> inner{0};
    RunInParallel(16, 1, [&](std::size_t) { RunInParallel(100, 1, [&](std::size_t) { ++inner; }); });
    EXPECT_EQ(inner.load(), 1600);

    std::atomic<int> items{0};
    std::vector<std::thread> callers;
    for (int i = 0; i < 6; ++i)
        callers.emplace_back([&] {
            for (int round = 0; round < 50; ++round)
                RunInParallel(40, 1, [&](std::size_t) { ++items; });
        });
    for (std::thread& caller : callers)
        caller.join();
    EXPECT_EQ(items.load(), 6 * 50 * 40);
}

// A run not waited for drops the exception; the workers take the next run as before.
TEST(ParallelWork, AnItemThatThrowsStopsTheRunAndItsCallerGetsTheException) {
    for (const std::size_t failing : {std::size_t{0}, std::size_t{500}, std::size_t{99999}}) {
        const auto work = [failing](std::size_t i) {
            if (i == failing)
                throw std::bad_alloc();
        };
        EXPECT_THROW(RunInParallel(100000, 1, work), std::bad_alloc) << failing;
        EXPECT_NO_THROW({ ParallelRun run(100000, 1, work); });
        EXPECT_EQ(RunCounted(1000, 1), std::vector<int>(1000, 1));
    }
}
