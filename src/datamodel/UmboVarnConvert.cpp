#include "datamodel/UmboVarnConvert.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace
{
constexpr bool kHostIsBigEndian = std::endian::native == std::endian::big;

// Reverses the bytes of each of `count` 4-byte words; written so that the compiler vectorises it.
[[gnu::always_inline]] inline void ReverseWordsLoop(BYTE* at, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t word;
        std::memcpy(&word, at + 4 * i, 4);
        word = __builtin_bswap32(word);
        std::memcpy(at + 4 * i, &word, 4);
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Trend records are thousands of words each and every one is reversed while loading: the wide
// byte shuffles cut this to a quarter where the processor has them.
[[gnu::target("avx2")]] void ReverseWordsAvx2(BYTE* at, std::size_t count)
{
    ReverseWordsLoop(at, count);
}

[[gnu::target("avx512f,avx512bw")]] void ReverseWordsAvx512(BYTE* at, std::size_t count)
{
    ReverseWordsLoop(at, count);
}
#endif

void ReverseWords(BYTE* at, std::size_t count)
{
#if defined(__x86_64__) || defined(__i386__)
    // Header fields are a word or two: not worth the call.
    static const bool avx512 = __builtin_cpu_supports("avx512bw");
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (avx512 && count >= 32) {
        ReverseWordsAvx512(at, count);
        return;
    }
    if (avx2 && count >= 16) {
        ReverseWordsAvx2(at, count);
        return;
    }
#endif
    ReverseWordsLoop(at, count);
}

// Reverses every `width`-byte unit of a run; a trailing part shorter than a unit stays as it is.
void ReverseUnits(BYTE* at, std::size_t byteCount, std::size_t width)
{
    if (width == 4) {
        ReverseWords(at, byteCount / 4);
    } else if (width == 2) {
        for (std::size_t offset = 0; offset + 2 <= byteCount; offset += 2) {
            std::uint16_t unit;
            std::memcpy(&unit, at + offset, 2);
            unit = __builtin_bswap16(unit);
            std::memcpy(at + offset, &unit, 2);
        }
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
    // Fields of one unit width that follow one another are reversed in one pass: a trend record
    // is a time and a run of words.
    for (std::size_t i = 0; i < fields.size();)
    {
        const std::size_t width = UnitWidth(fields[i].kind);
        const std::size_t begin = fields[i].offset;
        std::size_t end = fields[i].End();
        while (++i < fields.size() && fields[i].offset == end && UnitWidth(fields[i].kind) == width &&
               (end - begin) % width == 0)
            end = fields[i].End();
        ReverseUnits(record + base + begin, end - begin, width);
    }
    return true;
}

std::size_t CUmboVarnConvert::ConvertRecordRun(BYTE* first, std::size_t length, std::size_t most)
{
    const std::size_t count = ForEachAlike(first, length, most, [](BYTE*) {});
    if constexpr (kHostIsBigEndian)
        return count;
    // The run is words from end to end (its tables are whole words long): reversed in one pass
    // rather than a short pass per table.
    ReverseWords(first, count * length / 4);
    // Reversing a table's first word also exchanged its two numbers, which a turn by half a word
    // puts back.
    for (BYTE* table = first; table != first + count * length; table += length) {
        std::uint32_t numbers;
        std::memcpy(&numbers, table, 4);
        numbers = std::rotr(numbers, 16);
        std::memcpy(table, &numbers, 4);
    }
    return count;
}
