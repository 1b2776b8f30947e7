#include "datamodel/LargeBlock.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace
{
constexpr std::size_t kHugePageSize = 2 * 1024 * 1024;
constexpr std::size_t kPageSize = 4096;

std::atomic<std::size_t> g_mappedBytes{0};

std::size_t RoundUp(std::size_t value, std::size_t unit)
{
    return (value + unit - 1) / unit * unit;
}
} // namespace

void SLargeBlockRelease::operator()(BYTE* block) const
{
    if (mappedBytes == 0) {
        std::free(block);
        return;
    }
    munmap(block, mappedBytes);
    g_mappedBytes -= mappedBytes;
}

LargeBlock AllocateLargeBlock(std::size_t size)
{
    if (size < kHugePageSize) {
        if (auto* block = static_cast<BYTE*>(std::malloc(size)))
            return LargeBlock(block);
        throw std::bad_alloc();
    }
    // Mapped with a huge page of slack, then cut to a start on a huge-page boundary.
    const std::size_t rounded = RoundUp(size, kHugePageSize);
    const std::size_t reserved = rounded + kHugePageSize;
    void* mapping = mmap(nullptr, reserved, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED)
        throw std::bad_alloc();
    auto* first = static_cast<BYTE*>(mapping);
    const std::size_t lead = RoundUp(reinterpret_cast<std::uintptr_t>(first), kHugePageSize) -
                             reinterpret_cast<std::uintptr_t>(first);
    if (lead > 0)
        munmap(first, lead);
    if (reserved - lead > rounded)
        munmap(first + lead + rounded, reserved - lead - rounded);
    BYTE* block = first + lead;
    // Only advice: without huge pages the block is as good, just slower to fill.
    madvise(block, rounded, MADV_HUGEPAGE);
    g_mappedBytes += rounded;
    return LargeBlock(block, SLargeBlockRelease{rounded});
}

std::size_t ShrinkLargeBlock(LargeBlock& block, std::size_t size, std::size_t blockSize)
{
    SLargeBlockRelease& release = block.get_deleter();
    if (release.mappedBytes == 0)
        return blockSize;
    const std::size_t kept = std::max(RoundUp(size, kPageSize), kPageSize);
    if (kept < release.mappedBytes) {
        munmap(block.get() + kept, release.mappedBytes - kept);
        g_mappedBytes -= release.mappedBytes - kept;
        release.mappedBytes = kept;
    }
    return std::min(blockSize, release.mappedBytes);
}

std::size_t GetMappedLargeBlockBytes()
{
    return g_mappedBytes;
}
