#pragma once
// Loads and stores of record fields at byte offsets. Logger records place u32 and f32 fields at
// offsets that need not be aligned in the buffer holding them, so every access copies bytes.
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <cstring>

inline WORD LoadU16(const void* base, std::size_t offset = 0)
{
    WORD value;
    std::memcpy(&value, static_cast<const BYTE*>(base) + offset, sizeof value);
    return value;
}

inline DWORD LoadU32(const void* base, std::size_t offset = 0)
{
    DWORD value;
    std::memcpy(&value, static_cast<const BYTE*>(base) + offset, sizeof value);
    return value;
}

inline float LoadF32(const void* base, std::size_t offset = 0)
{
    float value;
    std::memcpy(&value, static_cast<const BYTE*>(base) + offset, sizeof value);
    return value;
}

inline void StoreU16(void* base, std::size_t offset, WORD value)
{
    std::memcpy(static_cast<BYTE*>(base) + offset, &value, sizeof value);
}

inline void StoreU32(void* base, std::size_t offset, DWORD value)
{
    std::memcpy(static_cast<BYTE*>(base) + offset, &value, sizeof value);
}

inline void StoreF32(void* base, std::size_t offset, float value)
{
    std::memcpy(static_cast<BYTE*>(base) + offset, &value, sizeof value);
}
