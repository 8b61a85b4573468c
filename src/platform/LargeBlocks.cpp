#include "platform/LargeBlocks.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace platform {

namespace {

std::size_t RoundedSize(std::size_t bytes) {
    if (bytes > SIZE_MAX - LargeBlocks::kGranule)
        throw std::bad_alloc();
    return (bytes + LargeBlocks::kGranule - 1) / LargeBlocks::kGranule * LargeBlocks::kGranule;
}

// A mapping of the size starting on a granule boundary: map one granule more and give back the slack.
void* MapAligned(std::size_t size) {
    const std::size_t mapped = size + LargeBlocks::kGranule;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + LargeBlocks::kGranule - 1) & ~(std::uintptr_t(LargeBlocks::kGranule) - 1);
    if (aligned > start)
        munmap(raw, aligned - start);
    const std::uintptr_t end = start + mapped;
    if (end > aligned + size)
        munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    void* block = reinterpret_cast<void*>(aligned);
    // Only advice: without huge pages the block works all the same.
    madvise(block, size, MADV_HUGEPAGE);
    return block;
}

} // namespace

LargeBlocks::~LargeBlocks() {
    for (const auto& [size, block] : m_kept)
        munmap(block, size);
}

LargeBlocks& LargeBlocks::Shared() {
    static LargeBlocks blocks;
    return blocks;
}

std::size_t LargeBlocks::KeptBytes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_keptBytes;
}

void* LargeBlocks::do_allocate(std::size_t bytes, std::size_t alignment) {
    if (alignment > kGranule)
        throw std::bad_alloc();
    const std::size_t size = RoundedSize(bytes);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto kept = m_kept.find(size);
        if (kept != m_kept.end()) {
            void* block = kept->second;
            m_kept.erase(kept);
            m_keptBytes -= size;
            return block;
        }
    }
    return MapAligned(size);
}

void LargeBlocks::do_deallocate(void* block, std::size_t bytes, std::size_t) {
    const std::size_t size = RoundedSize(bytes);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_keptBytes + size <= kMaxKeptBytes) {
            m_kept.emplace(size, block);
            m_keptBytes += size;
            return;
        }
    }
    munmap(block, size);
}

} // namespace platform
