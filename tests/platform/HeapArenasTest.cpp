#include "platform/OutOfMemory.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
constexpr std::uint64_t kKB = 1024;

} // namespace

// Under a memory limit the threads keep as many heaps as the limit leaves room for: one below 1 GB, where the 64 MiB
// each heap but the first reserves is room a document needs; from 1 GB one for each of the eight threads of a parallel
// run, more where their reservations take at most a quarter of the limit, never more than without a limit.
TEST(HeapArenas, AsManyAsTheLimitLeavesRoomFor) {
    for (const std::uint64_t megabytes : {90, 170, 200, 250, 256, 511, 512, 768, 953})
        EXPECT_EQ(platform::HeapArenasWithin(megabytes * kMiB, 8), 1u) << megabytes;
    // Limits under which a resave and the similar words of 20,000 unit functions work with one heap only.
    EXPECT_EQ(platform::HeapArenasWithin(330000 * kKB, 8), 1u);
    EXPECT_EQ(platform::HeapArenasWithin(340000 * kKB, 8), 1u);
    EXPECT_EQ(platform::HeapArenasWithin(999'999'999, 8), 1u);
    EXPECT_EQ(platform::HeapArenasWithin(1'000'000'000, 8), 8u);
    EXPECT_EQ(platform::HeapArenasWithin(1000000 * kKB, 2), 8u);
    EXPECT_EQ(platform::HeapArenasWithin(2000000 * kKB, 8), 8u);
    EXPECT_EQ(platform::HeapArenasWithin(2048 * kMiB, 8), 9u);
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{1} << 40, 8), 64u);
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{1} << 40, 2), 16u);
    // A machine whose processors cannot be counted is taken for one.
    EXPECT_EQ(platform::HeapArenasWithin(std::uint64_t{1} << 40, 0), 8u);
    for (std::uint64_t limit = 2048 * kMiB; limit <= 64 * 1024 * kMiB; limit += 37 * kMiB) {
        const unsigned heaps = platform::HeapArenasWithin(limit, 1024);
        EXPECT_LE((heaps - 1) * 64 * kMiB, limit / 4) << limit;
        EXPECT_GT(heaps * 64 * kMiB, limit / 4) << limit;
    }
}
