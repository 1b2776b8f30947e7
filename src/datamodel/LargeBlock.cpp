#include "datamodel/LargeBlock.h"

#include <new>
#include <sys/mman.h>

namespace
{
constexpr std::size_t kHugePageSize = 2 * 1024 * 1024;
} // namespace

LargeBlock AllocateLargeBlock(std::size_t size)
{
    if (size < kHugePageSize) {
        if (auto* block = static_cast<BYTE*>(std::malloc(size)))
            return LargeBlock(block);
        throw std::bad_alloc();
    }
    const std::size_t rounded = (size + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
    auto* block = static_cast<BYTE*>(std::aligned_alloc(kHugePageSize, rounded));
    if (!block)
        throw std::bad_alloc();
    // Only advice: without huge pages the block is as good, just slower to fill.
    madvise(block, rounded, MADV_HUGEPAGE);
    return LargeBlock(block);
}
