#include "model/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

void RunInParallel(std::size_t count, std::size_t minimumPerThread, const std::function<void(std::size_t)>& work) {
    constexpr std::size_t kMaxThreads = 8;
    constexpr std::size_t kItemsPerTurn = 32;
    const std::size_t threads =
        std::min({std::size_t{std::thread::hardware_concurrency()}, kMaxThreads, count / minimumPerThread});
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
        for (;;) {
            const std::size_t begin = next.fetch_add(kItemsPerTurn);
            if (begin >= count)
                return;
            for (std::size_t i = begin; i < std::min(begin + kItemsPerTurn, count); ++i)
                work(i);
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < threads; ++i) {
        try {
            helpers.emplace_back(run);
        } catch (const std::system_error&) {
            break; // this thread takes whatever the others leave
        }
    }
    run();
    for (std::thread& helper : helpers)
        helper.join();
}
