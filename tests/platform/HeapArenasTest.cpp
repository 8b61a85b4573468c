#include "platform/OutOfMemory.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;

} // namespace

// Under a memory limit the threads keep as many heaps as the limit leaves room for: one where it is tight, one for
// each of the worker threads under 2 GB, never more than without a limit; the 64 MiB each heap but the first reserves
// take at most a quarter of the limit.
TEST(HeapArenas, AsManyAsTheLimitLeavesRoomFor) {
    for (const std::uint64_t megabytes : {90, 170, 200, 250})
        EXPECT_EQ(platform::HeapArenasWithin(megabytes * kMiB, 8), 1u) << megabytes;
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{2000000} * 1024, 8), 8u);
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{1} << 40, 8), 64u);
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{1} << 40, 2), 16u);
    // A machine whose processors cannot be counted is taken for one.
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{1} << 40, 0), 8u);
    for (std::uint64_t limit = 64 * kMiB; limit <= 64 * 1024 * kMiB; limit += 37 * kMiB) {
        const unsigned heaps = platform::HeapArenasWithin(limit, 1024);
        EXPECT_LE((heaps - 1) * 64 * kMiB, limit / 4) << limit;
        EXPECT_GT(heaps * 64 * kMiB, limit / 4) << limit;
    }
}
