#pragma once
// Blocks of memory for bulk copies of records. A block of a few megabytes is mapped on its own
// and asked to live in huge pages where the system offers them: a year of records filled into
// 4 KiB pages costs a page fault per 4 KiB, more than the copy itself. (Measured in a new process
// and in one that loaded before, against 4 KiB pages, heap blocks and blocks faulted in at once
// when mapped: this was never slower.) Such a block can give back its unused end in place.
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <memory>

struct SLargeBlockRelease
{
    std::size_t mappedBytes = 0; // 0: the block came from the heap
    void operator()(BYTE* block) const;
};
using LargeBlock = std::unique_ptr<BYTE[], SLargeBlockRelease>;

// Uninitialised; throws std::bad_alloc when the memory is not there.
LargeBlock AllocateLargeBlock(std::size_t size);
// Gives back what a mapped block holds beyond `size` bytes (whole pages), without moving it;
// returns the bytes the block still holds (its old size for a block from the heap).
std::size_t ShrinkLargeBlock(LargeBlock& block, std::size_t size, std::size_t blockSize);
// Bytes of the blocks mapped apart from the heap, for the memory figures.
std::size_t GetMappedLargeBlockBytes();
