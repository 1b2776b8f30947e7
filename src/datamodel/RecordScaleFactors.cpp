#include "datamodel/RecordScaleFactors.h"

#include "datamodel/ByteAccess.h"

#include <cmath>
#include <cstring>

namespace
{
// Scaled fields: `count` consecutive elements of `elementBytes` bytes from `first`; element i
// belongs to the phase named by pattern[i % pattern length]: A, B, C, N, G, or T for a total
// or system value. Element layouts follow the record maps (triples of 12 bytes, harmonic
// channels of 408 or 400 bytes, energies of 4 bytes).
struct SScaledFields
{
    WORD tableType;
    WORD first;
    WORD elementBytes;
    WORD count;
    const char* pattern;
};

constexpr SScaledFields kScaledFields[] = {
    // Older trend record: current harmonics, interharmonics (two blocks), RMS currents of
    // A, B, C, N and the ground current, power triples of the phase selectors, totals.
    {15, 1652, 408, 4, "ABCN"},
    {15, 4916, 408, 4, "ABCN"},
    {15, 8148, 400, 4, "ABCN"},
    {15, 10012, 12, 5, "ABCNG"},
    {15, 10072, 12, 42, "ABCTABC"},
    {15, 10904, 4, 3, "T"},
    {15, 10924, 4, 4, "T"},
    {15, 10944, 4, 2, "T"},
    {15, 10960, 4, 7, "T"},
    {15, 11000, 4, 18, "T"},
    {15, 11132, 4, 47, "T"},
    // Older demand record: currents A, B, C, N, G, power triples, totals and system current.
    {61, 52, 4, 5, "ABCNG"},
    {61, 72, 12, 42, "ABCTABC"},
    {61, 576, 4, 3, "T"},
    {61, 592, 4, 4, "T"},
    // Logger trend record: current triples, power triples of slots A, B, C and total, interval
    // energies per slot, forward and reverse energy counters.
    {64, 96, 12, 3, "ABC"},
    {64, 216, 12, 24, "ABCT"},
    {64, 600, 4, 12, "ABCT"},
    {64, 648, 4, 2, "T"},
    // Logger demand record: currents, energies per slot, energy counters.
    {65, 36, 4, 3, "ABC"},
    {65, 48, 4, 12, "ABCT"},
    {65, 96, 4, 2, "T"},
};

bool IsUnset(float factor)
{
    return factor == 0.0f || !std::isfinite(factor);
}

void ScaleFloats(BYTE* table, std::size_t first, std::size_t bytes, float factor)
{
    if (factor == 1.0f)
        return;
    for (std::size_t offset = first; offset + 4 <= first + bytes; offset += 4)
        StoreF32(table, offset, LoadF32(table, offset) * factor);
}
} // namespace

void CRecordScaleFactors::Set(const std::array<float, kFactorCount>& factors)
{
    m_factors = factors;
    m_flag = false;
    for (int phase = 0; phase < kFactorCount; ++phase)
        if (EffectiveFactor(phase) != 1.0f)
            m_flag = true;
}

float CRecordScaleFactors::EffectiveFactor(int phase) const
{
    if (phase < 0 || phase >= kFactorCount)
        return 1.0f;
    const float factor = m_factors[std::size_t(phase)];
    return IsUnset(factor) ? 1.0f : factor;
}

float CRecordScaleFactors::TotalFactor() const
{
    return (EffectiveFactor(0) + EffectiveFactor(1) + EffectiveFactor(2)) / 3.0f;
}

void CRecordScaleFactors::Apply(Umbo_table_header_t* table) const
{
    if (!table)
        return;
    auto* bytes = reinterpret_cast<BYTE*>(table);
    const WORD type = table->table_type;
    const WORD length = table->table_lth;
    for (const SScaledFields& fields : kScaledFields)
    {
        if (fields.tableType != type)
            continue;
        const std::size_t patternLength = std::strlen(fields.pattern);
        for (std::size_t i = 0; i < fields.count; ++i)
        {
            const std::size_t first = fields.first + i * fields.elementBytes;
            if (first + fields.elementBytes > length)
                return;
            const char phase = fields.pattern[i % patternLength];
            const float factor = phase == 'T' ? TotalFactor() : EffectiveFactor(int(std::strchr("ABCNG", phase) - "ABCNG"));
            ScaleFloats(bytes, first, fields.elementBytes, factor);
        }
    }
}
