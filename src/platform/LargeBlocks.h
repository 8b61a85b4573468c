#pragma once

#include <cstddef>
#include <map>
#include <memory_resource>
#include <mutex>

namespace platform {

// Memory for work areas of many megabytes that a command builds and drops again, such as an inspection's
// syntax tree and paths. Blocks are whole multiples of a huge page and advised to be backed by huge pages,
// so walking them misses the address cache far less often; a dropped block is kept for the next request of
// its size instead of going back to the kernel, so a repeated command does not fault its pages in again.
// Safe to use from several threads.
class LargeBlocks : public std::pmr::memory_resource {
public:
    static constexpr std::size_t kGranule = std::size_t(2) << 20;
    // Dropped blocks beyond this many bytes go back to the kernel.
    static constexpr std::size_t kMaxKeptBytes = std::size_t(256) << 20;

    LargeBlocks() = default;
    ~LargeBlocks() override;
    LargeBlocks(const LargeBlocks&) = delete;
    LargeBlocks& operator=(const LargeBlocks&) = delete;

    // The process's one instance.
    static LargeBlocks& Shared();

    std::size_t KeptBytes() const;

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* block, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    mutable std::mutex m_mutex;
    std::multimap<std::size_t, void*> m_kept; // by size
    std::size_t m_keptBytes = 0;
};

} // namespace platform
