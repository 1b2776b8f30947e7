#include "datamodel/UmboVarnConvert.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace
{
constexpr bool kHostIsBigEndian = std::endian::native == std::endian::big;

// Reverses every `width`-byte unit of a run; a trailing part shorter than a unit stays as it is.
// Whole-word swaps: trend records are thousands of words each, and this runs for every one.
void ReverseUnits(BYTE* at, std::size_t byteCount, std::size_t width)
{
    if (width == 4) {
        // Two words at a time: the 64-bit swap reverses both and exchanges them, the rotation
        // puts them back in place.
        std::size_t offset = 0;
        for (; offset + 8 <= byteCount; offset += 8) {
            std::uint64_t pair;
            std::memcpy(&pair, at + offset, 8);
            pair = __builtin_bswap64(pair);
            pair = (pair >> 32) | (pair << 32);
            std::memcpy(at + offset, &pair, 8);
        }
        for (; offset + 4 <= byteCount; offset += 4) {
            std::uint32_t word;
            std::memcpy(&word, at + offset, 4);
            word = __builtin_bswap32(word);
            std::memcpy(at + offset, &word, 4);
        }
    } else if (width == 2) {
        for (std::size_t offset = 0; offset + 2 <= byteCount; offset += 2)
            std::swap(at[offset], at[offset + 1]);
    }
}

std::size_t UnitWidth(EUmboField kind)
{
    switch (kind)
    {
    case EUmboField::U16: return 2;
    case EUmboField::U32: return 4;
    case EUmboField::Time: return 4;  // each word in place; the words are never exchanged
    case EUmboField::Wide: return 2;
    }
    return 1;
}
} // namespace

WORD CUmboVarnConvert::U16ValueFromWire(WORD value) const
{
    return kHostIsBigEndian ? value : WORD((value >> 8) | (value << 8));
}

DWORD CUmboVarnConvert::U32ValueFromWire(DWORD value) const
{
    if constexpr (kHostIsBigEndian)
        return value;
    return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}

bool CUmboVarnConvert::ConvertFields(BYTE* record, std::size_t length, std::size_t base,
                                     std::span<const SUmboField> fields)
{
    for (const SUmboField& field : fields)
    {
        if (base + field.End() > length)
            return false;
    }
    if constexpr (kHostIsBigEndian)
        return true;
    for (const SUmboField& field : fields)
    {
        BYTE* at = record + base + field.offset;
        const std::size_t byteCount = field.End() - field.offset;
        ReverseUnits(at, byteCount, UnitWidth(field.kind));
    }
    return true;
}
