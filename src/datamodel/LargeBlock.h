#pragma once
// Blocks of memory that records are read or copied into. A block of a few megabytes is mapped on
// its own, in pages of the system's base size: a new process that asks for huge pages waits, on a
// machine whose free memory was never touched, for the system to find and zero each 2 MiB page (a
// year's first load took from 0.8 to 6 times a read of the file into new memory, in base pages
// 1.2 to 2.4 times). Blocks given back are kept (up to 512 MiB, poisoned under AddressSanitizer)
// for the next load of the process, which then fills pages that are there already. Such a block
// can give back its unused end in place.
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
// Bytes of the blocks given back and kept for the next load: memory the process holds but a load
// takes first.
std::size_t GetKeptLargeBlockBytes();
