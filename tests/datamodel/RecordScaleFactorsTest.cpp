#include "datamodel/RecordScaleFactors.h"

#include "datamodel/ByteAccess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
// A record whose every float field holds 1.0, so a scaled field reads its factor.
std::vector<BYTE> Record(WORD type, WORD length)
{
    std::vector<BYTE> bytes(length);
    for (std::size_t offset = 12; offset + 4 <= length; offset += 4)
        StoreF32(bytes.data(), offset, 1.0f);
    StoreU16(bytes.data(), 0, type);
    StoreU16(bytes.data(), 2, length);
    return bytes;
}

float Field(const std::vector<BYTE>& bytes, std::size_t offset) { return LoadF32(bytes.data(), offset); }

CRecordScaleFactors Factors(float a, float b, float c, float n, float g)
{
    CRecordScaleFactors factors;
    factors.Set({a, b, c, n, g});
    return factors;
}
} // namespace

TEST(RecordScaleFactors, FlagIsSetOnlyByAFactorThatChangesValues)
{
    EXPECT_FALSE(CRecordScaleFactors().IsSet());
    EXPECT_FALSE(Factors(1, 1, 1, 1, 1).IsSet());
    EXPECT_FALSE(Factors(0, 1, 0, 1, 1).IsSet());
    EXPECT_FALSE(Factors(NAN, 1, 1, INFINITY, 1).IsSet());
    EXPECT_TRUE(Factors(2, 1, 1, 1, 1).IsSet());
    EXPECT_TRUE(Factors(1, 1, 1, 1, 0.5f).IsSet());
    // 0 is "not set" in the multiplication too: it never wipes a field.
    EXPECT_EQ(Factors(0, 2, 1, 1, 1).EffectiveFactor(0), 1.0f);
    EXPECT_FLOAT_EQ(Factors(0, 2, 1, 1, 1).TotalFactor(), 4.0f / 3.0f);
}

TEST(RecordScaleFactors, LoggerTrendRecordScalesEachPhaseByItsOwnFactor)
{
    auto record = Record(64, 680);
    Factors(2, 3, 4, 5, 6).Apply(reinterpret_cast<Umbo_table_header_t*>(record.data()));
    // Voltages, THD and frequency untouched.
    EXPECT_EQ(Field(record, 24), 1.0f);
    EXPECT_EQ(Field(record, 92), 1.0f);
    EXPECT_EQ(Field(record, 204), 1.0f);
    // Current triples of A, B and C.
    EXPECT_EQ(Field(record, 96), 2.0f);
    EXPECT_EQ(Field(record, 107 - 3), 2.0f);
    EXPECT_EQ(Field(record, 108), 3.0f);
    EXPECT_EQ(Field(record, 128), 4.0f);
    EXPECT_EQ(Field(record, 132), 1.0f);
    // Power triples: slot 0..2 by phase, slot 3 (total) by the mean of A, B and C.
    EXPECT_EQ(Field(record, 216), 2.0f);
    EXPECT_EQ(Field(record, 228), 3.0f);
    EXPECT_EQ(Field(record, 240), 4.0f);
    EXPECT_EQ(Field(record, 252), 3.0f);
    EXPECT_EQ(Field(record, 456 + 36 + 8), 3.0f);
    EXPECT_EQ(Field(record, 504), 1.0f); // power factors are ratios
    // Interval energies per slot and the two counters.
    EXPECT_EQ(Field(record, 600), 2.0f);
    EXPECT_EQ(Field(record, 636), 3.0f);
    EXPECT_EQ(Field(record, 644), 3.0f);
    EXPECT_EQ(Field(record, 652), 3.0f);
    EXPECT_EQ(Field(record, 656), 1.0f); // aux inputs
}

TEST(RecordScaleFactors, OlderTrendRecordScalesNeutralAndGroundCurrents)
{
    auto record = Record(15, 11320);
    Factors(2, 3, 4, 5, 6).Apply(reinterpret_cast<Umbo_table_header_t*>(record.data()));
    EXPECT_EQ(Field(record, 20), 1.0f);          // voltage harmonics
    EXPECT_EQ(Field(record, 1652), 2.0f);        // current harmonics, phase A
    EXPECT_EQ(Field(record, 2876 + 404), 5.0f);  // neutral
    EXPECT_EQ(Field(record, 3284), 1.0f);
    EXPECT_EQ(Field(record, 8148 + 400), 3.0f);
    EXPECT_EQ(Field(record, 10048), 5.0f);       // neutral RMS current
    EXPECT_EQ(Field(record, 10060), 6.0f);       // ground current by the fifth factor
    EXPECT_EQ(Field(record, 10072 + 36), 3.0f);  // selector position 3: total
    EXPECT_EQ(Field(record, 10072 + 48), 2.0f);  // position 4: phase A again
    EXPECT_EQ(Field(record, 10916), 1.0f);       // gaps between listed ranges stay
    EXPECT_EQ(Field(record, 11316), 3.0f);
}

TEST(RecordScaleFactors, DemandRecordsAndShortTablesStayInBounds)
{
    auto demand = Record(65, 104);
    Factors(2, 3, 4, 1, 1).Apply(reinterpret_cast<Umbo_table_header_t*>(demand.data()));
    EXPECT_EQ(Field(demand, 24), 1.0f);
    EXPECT_EQ(Field(demand, 40), 3.0f);
    EXPECT_EQ(Field(demand, 56), 4.0f);
    EXPECT_EQ(Field(demand, 100), 3.0f);

    auto older = Record(61, 608);
    Factors(2, 1, 1, 1, 7).Apply(reinterpret_cast<Umbo_table_header_t*>(older.data()));
    EXPECT_EQ(Field(older, 52), 2.0f);
    EXPECT_EQ(Field(older, 68), 7.0f);
    EXPECT_EQ(Field(older, 588), 1.0f); // system voltage
    EXPECT_EQ(Field(older, 604), 4.0f / 3.0f);

    // A table shorter than its layout is scaled only as far as it reaches.
    auto shortRecord = Record(64, 220);
    shortRecord.resize(220);
    Factors(2, 2, 2, 2, 2).Apply(reinterpret_cast<Umbo_table_header_t*>(shortRecord.data()));
    EXPECT_EQ(Field(shortRecord, 120), 2.0f);
    EXPECT_EQ(Field(shortRecord, 216), 1.0f);

    auto other = Record(63, 740);
    Factors(2, 2, 2, 2, 2).Apply(reinterpret_cast<Umbo_table_header_t*>(other.data()));
    EXPECT_EQ(Field(other, 96), 1.0f);
    Factors(2, 2, 2, 2, 2).Apply(nullptr);
}
