#pragma once
// Blocks of memory for bulk copies of records. A block of a few megabytes is asked to live in
// huge pages where the system offers them: a year of records filled into 4 KiB pages costs a
// page fault per 4 KiB, more than the copy itself.
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <cstdlib>
#include <memory>

struct SFreeBlock
{
    void operator()(BYTE* block) const { std::free(block); }
};
using LargeBlock = std::unique_ptr<BYTE[], SFreeBlock>;

// Uninitialised; throws std::bad_alloc when the memory is not there.
LargeBlock AllocateLargeBlock(std::size_t size);

