#include "datamodel/LargeBlock.h"

#include "datamodel/GivenBackMemory.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <utility>
#include <vector>

namespace
{
// Blocks from this size on are mapped apart from the heap, in whole multiples of it.
constexpr std::size_t kMappedUnit = 2 * 1024 * 1024;
constexpr std::size_t kPageSize = 4096;

// Blocks given back are kept for the next load rather than unmapped: filling pages that are
// already there costs no page fault and no zeroing, most of what a load into new memory costs.
// They are not marked free to the system: a page so marked has to be marked written again on
// the next write, which made a load of a year a third slower. The process holds them till then.
constexpr std::size_t kKeptLimit = std::size_t(512) << 20;

std::atomic<std::size_t> g_mappedBytes{0};

class CKeptBlocks
{
public:
    // Keeps the block when there is room; false when it is to be unmapped.
    bool Keep(BYTE* block, std::size_t bytes)
    {
        std::lock_guard lock(m_mutex);
        if (bytes % kMappedUnit != 0 || m_bytes + bytes > kKeptLimit)
            return false;
        m_blocks.emplace_back(block, bytes);
        m_bytes += bytes;
        MarkGivenBack(block, bytes);
        return true;
    }
    // The kept block of exactly `bytes` given back last (the likeliest to have all its pages
    // still), or none.
    BYTE* Take(std::size_t bytes)
    {
        std::lock_guard lock(m_mutex);
        const auto kept =
            std::find_if(m_blocks.rbegin(), m_blocks.rend(), [bytes](const auto& b) { return b.second == bytes; });
        if (kept == m_blocks.rend())
            return nullptr;
        BYTE* block = kept->first;
        m_blocks.erase(std::next(kept).base());
        m_bytes -= bytes;
        MarkTaken(block, bytes);
        return block;
    }
    std::size_t Bytes()
    {
        std::lock_guard lock(m_mutex);
        return m_bytes;
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<BYTE*, std::size_t>> m_blocks;
    std::size_t m_bytes = 0;
};

CKeptBlocks& KeptBlocks()
{
    // Never destroyed: data sets of static lifetime give their blocks back at exit.
    static auto* kept = new CKeptBlocks;
    return *kept;
}

std::size_t RoundUp(std::size_t value, std::size_t unit)
{
    return (value + unit - 1) / unit * unit;
}

// Pages a list gave back room in may be mapped again for another block, which starts taken.
void Unmap(BYTE* bytes, std::size_t size)
{
    MarkTaken(bytes, size);
    munmap(bytes, size);
}
} // namespace

void SLargeBlockRelease::operator()(BYTE* block) const
{
    if (mappedBytes == 0) {
        std::free(block);
        return;
    }
    g_mappedBytes -= mappedBytes;
    if (!KeptBlocks().Keep(block, mappedBytes))
        Unmap(block, mappedBytes);
}

LargeBlock AllocateLargeBlock(std::size_t size)
{
    if (size < kMappedUnit) {
        if (auto* block = static_cast<BYTE*>(std::malloc(size)))
            return LargeBlock(block);
        throw std::bad_alloc();
    }
    const std::size_t rounded = RoundUp(size, kMappedUnit);
    g_mappedBytes += rounded;
    if (BYTE* kept = KeptBlocks().Take(rounded))
        return LargeBlock(kept, SLargeBlockRelease{rounded});
    void* mapping = mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        g_mappedBytes -= rounded;
        throw std::bad_alloc();
    }
    return LargeBlock(static_cast<BYTE*>(mapping), SLargeBlockRelease{rounded});
}

std::size_t ShrinkLargeBlock(LargeBlock& block, std::size_t size, std::size_t blockSize)
{
    SLargeBlockRelease& release = block.get_deleter();
    if (release.mappedBytes == 0)
        return blockSize;
    const std::size_t kept = std::max(RoundUp(size, kPageSize), kPageSize);
    if (kept < release.mappedBytes) {
        Unmap(block.get() + kept, release.mappedBytes - kept);
        g_mappedBytes -= release.mappedBytes - kept;
        release.mappedBytes = kept;
    }
    return std::min(blockSize, release.mappedBytes);
}

std::size_t GetMappedLargeBlockBytes()
{
    return g_mappedBytes;
}

std::size_t GetKeptLargeBlockBytes()
{
    return KeptBlocks().Bytes();
}
