#include "datamodel/UmboQuarnConvert.h"
#include "datamodel/UmboVarnConvert.h"

#include "datamodel/HighTime.h"
#include "support/LoggerBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace
{
using Fill = std::function<void(CLoggerBytes&)>;

struct SImages
{
    CLoggerBytes little;
    CLoggerBytes big;
};

// The same record written in both byte orders.
SImages TableImages(WORD type, WORD length, const Fill& fill = {})
{
    SImages images{MakeTableBytes(false, type, length, 0x01DAC9B25F3E1234), MakeTableBytes(true, type, length, 0x01DAC9B25F3E1234)};
    if (fill)
    {
        fill(images.little);
        fill(images.big);
    }
    return images;
}

SImages MessageImages(WORD type, const Fill& fill = {})
{
    SImages images{MakeMessageHeaderBytes(false, type, 0x00012345), MakeMessageHeaderBytes(true, type, 0x00012345)};
    if (fill)
    {
        fill(images.little);
        fill(images.big);
    }
    return images;
}

Umbo_table_header_t* Table(CLoggerBytes& bytes)
{
    return reinterpret_cast<Umbo_table_header_t*>(bytes.Data());
}

Umbo_msg_header_t* Message(CLoggerBytes& bytes)
{
    return reinterpret_cast<Umbo_msg_header_t*>(bytes.Data());
}

// A record with fields of every kind of its map set; 8-bit areas hold bytes that must stay.
struct STableCase
{
    WORD type;
    WORD length;
    Fill fill;
};

std::vector<STableCase> FixedTableCases()
{
    return {
        {3, 132, [](CLoggerBytes& b) {
             b.PutU16(12, 3);
             b.PutBytes(14, "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A", 10);
             b.PutF32(24, 230.0f);
             b.PutU32(28, 0x11223344);
             b.PutF32(48, 1.5f);
             b.PutU32(68, 7);
             b.PutBytes(72, "ABCDEFGH", 8);
             b.PutF32(80, 100.0f);
             b.PutF32(116, 2.5f);
             b.PutU32(128, 0xA1B2C3D4);
         }},
        {6, 61460, [](CLoggerBytes& b) {
             b.PutU16(12, 0x0102);
             b.PutU16(61450, 0x0304);
             b.PutU32(61452, 0x05060708);
             b.PutU32(61456, 0x090A0B0C);
         }},
        {10, 848, [](CLoggerBytes& b) { b.PutU32(12, 1); b.PutU32(844, 0xDEADBEEF); }},
        {15, 11320, [](CLoggerBytes& b) {
             b.PutTime(12, 0x01DAC9B25F3E5678);
             b.PutF32(20, 231.25f);
             b.PutU32(10584, 0x01020304);
             b.PutBytes(10588, "\xAA\xBB\xCC\xDD", 4);
             b.PutU32(10592, 0x05060708);
             b.PutU32(11316, 0x0A0B0C0D);
         }},
        {19, 60, [](CLoggerBytes& b) { b.PutTime(12, 1); b.PutTime(52, 0x0102030405060708); }},
        {35, 16, [](CLoggerBytes& b) { b.PutU16(12, 0x1234); b.PutU16(14, 0x5678); }},
        {36, 20, [](CLoggerBytes& b) { b.PutTime(12, 0x01DAC9B25F3E0000); }},
        {37, 16, [](CLoggerBytes& b) { b.PutU32(12, (13u << 16) | 1u); }},
        {47, 40, [](CLoggerBytes& b) {
             b.PutU16(12, 1);
             b.PutU16(14, 2);
             b.PutU32(16, 3);
             b.PutU32(32, 4);
             b.PutU16(36, 5);
             b.PutBytes(38, "\x66\x77", 2);
         }},
        {49, 36, [](CLoggerBytes& b) {
             b.PutBytes(12, "\x01\x02\x03\x04", 4);
             b.PutU32(16, 1234567);
             b.PutTime(20, 0x01DAC9B25F3E9999);
             b.PutU32(32, 9);
         }},
        {50, 20, [](CLoggerBytes& b) { b.PutU32(12, 1); b.PutU32(16, 2); }},
        {51, 156, [](CLoggerBytes& b) { b.PutU32(12, 1); b.PutU32(152, 2); }},
        {53, 52, [](CLoggerBytes& b) { b.PutTime(12, 5); b.PutTime(44, 6); }},
        {61, 608, [](CLoggerBytes& b) {
             b.PutTime(12, 0x01DAC9B25F3E4444);
             b.PutBytes(20, "\x01\x02\x03\x04", 4);
             b.PutF32(24, 12.5f);
             b.PutF32(604, -3.0f);
         }},
        {63, 740, [](CLoggerBytes& b) {
             b.PutU16(12, 1);
             b.PutU16(14, 2);
             b.PutU32(16, 600);
             b.PutU32(20, 900);
             b.PutU16(24, 3);
             b.PutU16(34, 4);
             b.PutF32(36, 230.0f);
             b.PutU32(40, 5);
             b.PutF32(44, 1.0f);
             b.PutF32(64, 2.0f);
             b.PutU32(68, 6);
             b.PutU32(80, 7);
             b.PutU16(84, 8);
             b.PutU16(100, 9);
             b.PutBytes(102, "\x12\x34", 2);
             b.PutText(104, "Probe A", 32);
             b.PutU32(136, 10);
             b.PutU16(140, 11);
             b.PutU16(142, 12);
             b.PutF32(144, 100.0f);
             b.PutText(192, "Probe C", 32);
             b.PutF32(232, 3000.0f);
             b.PutF32(236, 0.95f);
             b.PutWide(240, u"L1", 16);
             b.PutWide(256, u"N", 16);
             b.PutTime(272, 0x01DAC9B25F3E1111);
             b.PutTime(280, 0x01DAC9B25F3E2222);
             b.PutWide(288, u"Feeder 2", 256);
             b.PutWide(544, u"Survey", 64);
             b.PutU16(608, 13);
             b.PutU16(610, 14);
             b.PutWide(612, u"Plant", 128);
         }},
        {64, 680, [](CLoggerBytes& b) { b.PutTime(12, 7); b.PutF32(20, 1.0f); b.PutF32(676, 2.0f); }},
        {65, 104, [](CLoggerBytes& b) { b.PutTime(12, 8); b.PutF32(20, 1.0f); b.PutF32(100, 2.0f); }},
        {66, 216, [](CLoggerBytes& b) { b.PutU32(12, 1); b.PutU32(212, 2); }},
        {67, 488, [](CLoggerBytes& b) {
             b.PutWide(12, u"4626 Logger", 256);
             b.PutWide(268, u"CPU", 64);
             b.PutWide(332, u"Location", 128);
             b.PutTime(460, 11);
             b.PutTime(468, 12);
             b.PutU16(476, 13);
             b.PutU16(478, 14);
             b.PutU32(480, 15);
             b.PutU32(484, 16);
         }},
    };
}

std::vector<STableCase> SizedTableCases()
{
    return {
        {1, 96, [](CLoggerBytes& b) { b.PutU16(12, 2); b.PutU16(14, 7); b.PutU32(16, 1); b.PutU32(92, 2); }},
        {2, 144, [](CLoggerBytes& b) { b.PutU16(12, 2); b.PutU32(16, 1); b.PutU32(140, 2); }},
        {9, 25, [](CLoggerBytes& b) { b.PutU32(12, 3); b.PutBytes(16, "\x01\x02", 2); b.PutU16(18, 5); b.PutText(20, "abcde", 5); }},
        {11, 168, [](CLoggerBytes& b) { b.PutU16(12, 2); b.PutU32(16, 1); b.PutU32(20, 2); b.PutU32(164, 3); }},
        {18, 112, [](CLoggerBytes& b) { b.PutU16(12, 1); b.PutU32(108, 4); }},
        {23, 188, [](CLoggerBytes& b) {
             b.PutU16(12, 2);
             b.PutU32(16, 1);
             b.PutTime(20, 0x01DAC9B25F3E0001);
             b.PutU32(28, 2);
             b.PutTime(104, 0x01DAC9B25F3E0002);
             b.PutU32(184, 3);
         }},
        {24, 60, [](CLoggerBytes& b) { b.PutU16(12, 1); b.PutU32(16, 1); b.PutU32(56, 2); }},
        {25, 68, [](CLoggerBytes& b) { b.PutU16(12, 2); b.PutU16(14, 9); b.PutU32(16, 1); b.PutU32(24, 2); b.PutU32(64, 3); }},
        {46, 80, [](CLoggerBytes& b) { b.PutU16(12, 1); b.PutU32(16, 1); b.PutU32(40, 2); b.PutTime(44, 3); b.PutU32(76, 4); }},
    };
}
} // namespace

TEST(UmboConvert, SwappingConverterTurnsEveryMappedFieldToHostOrder)
{
    CUmboVarnConvert varn;
    auto cases = FixedTableCases();
    const auto sized = SizedTableCases();
    cases.insert(cases.end(), sized.begin(), sized.end());
    for (const STableCase& c : cases)
    {
        SImages images = TableImages(c.type, c.length, c.fill);
        EXPECT_EQ(varn.ConvertTableFromWire(Table(images.big)), 0) << c.type;
        EXPECT_EQ(images.big.Bytes(), images.little.Bytes()) << c.type;
    }
    // Bytes of a record beyond its map stay as they were written.
    const struct
    {
        WORD type;
        WORD mapped;
        WORD firstWord;
    } longer[] = {{64, 680, 20}, {65, 104, 20}, {61, 608, 24}};
    for (const auto& [type, mapped, firstWord] : longer)
    {
        SImages images = TableImages(type, WORD(mapped + 7), [mapped, firstWord](CLoggerBytes& b) {
            b.PutTime(12, 9);
            b.PutF32(firstWord, 3.0f);
            for (int i = 0; i < 7; ++i)
                b.PutU8(std::size_t(mapped + i), BYTE(i + 1));
        });
        EXPECT_EQ(varn.ConvertTableFromWire(Table(images.big)), 0) << type;
        EXPECT_EQ(images.big.Bytes(), images.little.Bytes()) << type;
    }
}

TEST(UmboConvert, ARunOfRecordsConvertsAsEachRecordAlone)
{
    // Records of one type one after another, each with its own time and words.
    const auto run = [](bool big, WORD type, WORD length, int count) {
        CLoggerBytes bytes(big);
        for (int i = 0; i < count; ++i) {
            CLoggerBytes record = MakeTableBytes(big, type, length, 0x01DAC9B25F3E1234 + i);
            record.PutTime(12, 0x01DAC9B25F3E5678 + i);
            for (std::size_t at = 20; at + 4 <= length; at += 4)
                record.PutU32(at, DWORD(0x01020304u * DWORD(i + 1) + at));
            bytes.Append(record);
        }
        return bytes;
    };
    CUmboVarnConvert varn;
    CUmboQuarnConvert quarn;
    for (const auto& [type, length] : {std::pair<WORD, WORD>{64, 680}, {65, 104}})
        for (int count : {1, 2, 7}) {
            CLoggerBytes big = run(true, type, length, count);
            EXPECT_EQ(std::size_t(count), varn.ConvertRecordsFromWire(big.Data(), length, std::size_t(count))) << type;
            EXPECT_EQ(big.Bytes(), run(false, type, length, count).Bytes()) << type << " x" << count;

            CLoggerBytes little = run(false, type, length, count);
            EXPECT_EQ(std::size_t(count), quarn.ConvertRecordsFromWire(little.Data(), length, std::size_t(count))) << type;
            EXPECT_EQ(little.Bytes(), run(false, type, length, count).Bytes()) << type;
        }
    // A run ends at the first table of another type or length, or at the most asked for (all of
    // them in memory): what follows stays as written.
    for (bool big : {true, false}) {
        CUmboConvert& converter = big ? static_cast<CUmboConvert&>(varn) : quarn;
        CLoggerBytes mixed = run(big, 64, 680, 3);
        mixed.Append(run(big, 65, 104, 1));
        CLoggerBytes expected = run(false, 64, 680, 3);
        expected.Append(run(big, 65, 104, 1));
        EXPECT_EQ(3u, converter.ConvertRecordsFromWire(mixed.Data(), 680, 4));
        EXPECT_EQ(mixed.Bytes(), expected.Bytes());

        CLoggerBytes cut = run(big, 64, 680, 3);
        EXPECT_EQ(2u, converter.ConvertRecordsFromWire(cut.Data(), 680, 2));
        const std::vector<BYTE> two = run(false, 64, 680, 2).Bytes();
        const std::vector<BYTE> written = run(big, 64, 680, 3).Bytes();
        EXPECT_TRUE(std::equal(two.begin(), two.end(), cut.Bytes().begin()));
        EXPECT_TRUE(std::equal(written.begin() + 2 * 680, written.end(), cut.Bytes().begin() + 2 * 680));
    }
    // A record longer than its map keeps its last bytes, and a type with fields of other widths
    // has its own map: such runs are left untouched, for one record at a time.
    for (const auto& [type, length] : {std::pair<WORD, WORD>{64, 688}, {65, 112}, {63, 740}, {15, 11320}}) {
        CLoggerBytes big = run(true, type, length, 3);
        EXPECT_EQ(0u, varn.ConvertRecordsFromWire(big.Data(), length, 3)) << type;
        EXPECT_EQ(big.Bytes(), run(true, type, length, 3).Bytes()) << type;
    }
}

TEST(UmboConvert, SwappingConverterWritesTheStreamOrderWhenSending)
{
    CUmboVarnConvert varn;
    auto cases = FixedTableCases();
    const auto sized = SizedTableCases();
    cases.insert(cases.end(), sized.begin(), sized.end());
    for (const STableCase& c : cases)
    {
        if (c.type == 9 || c.type == 35 || c.type == 36 || c.type == 61)
            continue;  // received only
        SImages images = TableImages(c.type, c.length, c.fill);
        EXPECT_EQ(varn.ConvertTableToWire(Table(images.little)), 0) << c.type;
        EXPECT_EQ(images.little.Bytes(), images.big.Bytes()) << c.type;
    }
}

TEST(UmboConvert, HostOrderConverterChangesNoByte)
{
    CUmboQuarnConvert quarn;
    auto cases = FixedTableCases();
    const auto sized = SizedTableCases();
    cases.insert(cases.end(), sized.begin(), sized.end());
    for (const STableCase& c : cases)
    {
        SImages images = TableImages(c.type, c.length, c.fill);
        const std::vector<BYTE> original = images.little.Bytes();
        EXPECT_EQ(quarn.ConvertTableFromWire(Table(images.little)), 0) << c.type;
        EXPECT_EQ(images.little.Bytes(), original) << c.type;
        quarn.ConvertTableToWire(Table(images.little));
        EXPECT_EQ(images.little.Bytes(), original) << c.type;
    }
}

TEST(UmboConvert, CountTablesMustMatchTheirSizeRule)
{
    const Fill twoEntries = [](CLoggerBytes& b) {
        b.PutU16(12, 2);
        b.PutU32(16, 0x01020304);
        b.PutU32(56, 0x05060708);
    };
    for (bool swapped : {false, true})
    {
        CUmboVarnConvert varn;
        CUmboQuarnConvert quarn;
        CUmboConvert& converter = swapped ? static_cast<CUmboConvert&>(varn) : quarn;

        SImages fits = TableImages(1, 96, twoEntries);
        EXPECT_EQ(converter.ConvertTableFromWire(Table(swapped ? fits.big : fits.little)), 0);

        SImages tooLong = TableImages(1, 100, twoEntries);
        CLoggerBytes& image = swapped ? tooLong.big : tooLong.little;
        const CLoggerBytes untouched = image;
        EXPECT_EQ(converter.ConvertTableFromWire(Table(image)), 2);
        // The entries stay as they were written.
        EXPECT_TRUE(std::equal(image.Bytes().begin() + 16, image.Bytes().end(), untouched.Bytes().begin() + 16));

        // Type 9: 20 + the data length at 18.
        SImages data = TableImages(9, 26, [](CLoggerBytes& b) { b.PutU16(18, 5); });
        EXPECT_EQ(converter.ConvertTableFromWire(Table(swapped ? data.big : data.little)), 2);
    }
}

TEST(UmboConvert, TablesShorterThanTheirLayoutAreRefusedUntouched)
{
    // Each image is exactly table_lth bytes long, so any access past it is caught by the sanitizer.
    const struct
    {
        WORD type;
        WORD length;
    } shortTables[] = {{65, 50}, {63, 700}, {15, 11316}, {3, 131}, {67, 487}, {36, 19}, {37, 15}, {49, 35}};
    for (const auto& s : shortTables)
    {
        SImages images = TableImages(s.type, s.length);
        CUmboVarnConvert varn;
        EXPECT_EQ(varn.ConvertTableFromWire(Table(images.big)), 2) << s.type;
        EXPECT_EQ(Table(images.big)->table_type, s.type);  // the header was converted ...
        EXPECT_TRUE(std::equal(images.big.Bytes().begin() + 12, images.big.Bytes().end(),
                               MakeTableBytes(true, s.type, s.length).Bytes().begin() + 12))
            << s.type;  // ... the body was not

        CUmboQuarnConvert quarn;
        EXPECT_EQ(quarn.ConvertTableFromWire(Table(images.little)), 0) << s.type;
    }
    // A count table too short for its count field fails in both converters.
    for (bool swapped : {false, true})
    {
        CLoggerBytes image = MakeTableBytes(swapped, 24, 13);
        CUmboVarnConvert varn;
        CUmboQuarnConvert quarn;
        CUmboConvert& converter = swapped ? static_cast<CUmboConvert&>(varn) : quarn;
        EXPECT_EQ(converter.ConvertTableFromWire(Table(image)), 2);
    }
    // Sending more entries than the table holds is refused, the entries left alone.
    CLoggerBytes crowded = MakeTableBytes(false, 24, 60);
    crowded.PutU16(12, 2);
    CUmboVarnConvert varn;
    EXPECT_EQ(varn.ConvertTableToWire(Table(crowded)), 2);
    EXPECT_EQ(crowded.GetU16(12), 2);
}

TEST(UmboConvert, LengthDrivenTablesSwapWholeUnitsOnly)
{
    for (WORD type : {16, 26, 34, 62})
    {
        CLoggerBytes big = MakeTableBytes(true, type, 17);
        big.PutWide(12, u"ab", 4);
        big.PutU8(16, 0x7F);  // odd last byte
        CUmboVarnConvert varn;
        EXPECT_EQ(varn.ConvertTableFromWire(Table(big)), 0);
        const CLoggerBytes host = big;
        EXPECT_EQ(host.Data()[12], 'a');
        EXPECT_EQ(host.Data()[13], 0);
        EXPECT_EQ(host.Data()[14], 'b');
        EXPECT_EQ(host.Data()[16], 0x7F);
        EXPECT_EQ(varn.ConvertTableToWire(Table(big)), 0);
        EXPECT_EQ(big.Data()[12], 0);
        EXPECT_EQ(big.Data()[13], 'a');
        EXPECT_EQ(big.Data()[16], 0x7F);
    }
}

TEST(UmboConvert, ZeroTimeFieldsStayZero)
{
    for (bool swapped : {false, true})
    {
        CLoggerBytes image = MakeTableBytes(swapped, 36, 20, 0);
        CUmboVarnConvert varn;
        CUmboQuarnConvert quarn;
        CUmboConvert& converter = swapped ? static_cast<CUmboConvert&>(varn) : quarn;
        ASSERT_EQ(converter.ConvertTableFromWire(Table(image)), 0);
        const CHighTime stamp = ConstructHighTimeFromTableTime(image.Data() + 4);
        EXPECT_EQ(stamp.GetTicks(), 0);
        EXPECT_EQ(stamp.GetStatus(), CHighTime::valid);
        EXPECT_EQ(ConstructHighTimeFromTableTime(image.Data() + 12).GetTicks(), 0);
    }
}

TEST(UmboConvert, TimeFieldsGiveTheTicksInEitherOrder)
{
    for (bool swapped : {false, true})
    {
        CLoggerBytes image = MakeTableBytes(swapped, 65, 104, 0x01DAC9B25F3E1234);
        image.PutTime(12, 0x01DAC9B25F3E5678);
        CUmboVarnConvert varn;
        CUmboQuarnConvert quarn;
        CUmboConvert& converter = swapped ? static_cast<CUmboConvert&>(varn) : quarn;
        ASSERT_EQ(converter.ConvertTableFromWire(Table(image)), 0);
        EXPECT_EQ(ConstructHighTimeFromTableTime(image.Data() + 4).GetTicks(), 0x01DAC9B25F3E1234);
        EXPECT_EQ(ConstructHighTimeFromTableTime(image.Data() + 12).GetTicks(), 0x01DAC9B25F3E5678);
    }
}

TEST(UmboConvert, UnalignedTablesConvert)
{
    SImages images = TableImages(65, 104, [](CLoggerBytes& b) { b.PutF32(20, 1.5f); });
    std::vector<BYTE> buffer(1 + images.big.Size());
    std::copy(images.big.Bytes().begin(), images.big.Bytes().end(), buffer.begin() + 1);
    CUmboVarnConvert varn;
    EXPECT_EQ(varn.ConvertTableFromWire(reinterpret_cast<Umbo_table_header_t*>(buffer.data() + 1)), 0);
    EXPECT_TRUE(std::equal(buffer.begin() + 1, buffer.end(), images.little.Bytes().begin()));
}

TEST(UmboConvert, UnhandledTypesReturnOne)
{
    for (WORD type : {0, 4, 5, 7, 8, 12, 13, 14, 17, 56, 59, 60, 69, 1000})
    {
        for (bool swapped : {false, true})
        {
            CLoggerBytes image = MakeTableBytes(swapped, type, 16);
            CUmboVarnConvert varn;
            CUmboQuarnConvert quarn;
            CUmboConvert& converter = swapped ? static_cast<CUmboConvert&>(varn) : quarn;
            EXPECT_EQ(converter.ConvertTableFromWire(Table(image)), 1) << type;
            CLoggerBytes host = MakeTableBytes(false, type, 16);
            EXPECT_EQ(converter.ConvertTableToWire(Table(host)), 1) << type;
        }
    }
    for (WORD type : {9, 35, 36, 61})
    {
        CLoggerBytes host = MakeTableBytes(false, type, 608);
        CUmboVarnConvert varn;
        EXPECT_EQ(varn.ConvertTableToWire(Table(host)), 1) << type;
    }
}

TEST(UmboConvert, Type68PassesUnchanged)
{
    CLoggerBytes image = MakeTableBytes(true, 68, 40);
    image.PutU32(12, 0x01020304);
    const std::vector<BYTE> body(image.Bytes().begin() + 12, image.Bytes().end());
    CUmboVarnConvert varn;
    EXPECT_EQ(varn.ConvertTableFromWire(Table(image)), 0);
    EXPECT_TRUE(std::equal(body.begin(), body.end(), image.Bytes().begin() + 12));
    EXPECT_EQ(varn.ConvertTableToWire(Table(image)), 0);
    EXPECT_TRUE(std::equal(body.begin(), body.end(), image.Bytes().begin() + 12));
}

TEST(UmboConvert, MessageHeadersAndTheirWords)
{
    const Fill type13 = [](CLoggerBytes& b) {
        b.PutU32(8, 0x0A0B0C0D);
        b.PutTime(12, 0x01DAC9B25F3E1234);
        b.PutU16(20, 0x1234);
        b.PutBytes(22, "\x01\x02", 2);
        b.PutU32(28, 0x00000007);
    };
    CUmboVarnConvert varn;
    SImages images = MessageImages(13, type13);
    EXPECT_EQ(varn.ConvertMessageFromWire(Message(images.big)), 0);
    EXPECT_EQ(images.big.Bytes(), images.little.Bytes());
    EXPECT_EQ(GetUmboMessageResult(Message(images.big)), 7u);

    // Sending swaps the header words as well as magic, type and length.
    SImages sent = MessageImages(13, type13);
    EXPECT_EQ(varn.ConvertMessageToWire(Message(sent.little)), 0);
    EXPECT_EQ(sent.little.Bytes(), sent.big.Bytes());
    CUmboQuarnConvert quarn;
    SImages plain = MessageImages(13, type13);
    EXPECT_EQ(quarn.ConvertMessageToWire(Message(plain.little)), 0);
    EXPECT_EQ(plain.little.Bytes(), MessageImages(13, type13).little.Bytes());

    // The recorded-session message: first and last record times.
    SImages session = MessageImages(20, [](CLoggerBytes& b) {
        b.PutTime(8, 0x01DAC9B25F3E0001);
        b.PutTime(16, 0x01DAC9B25F3E0002);
        b.PutU16(26, 9);
    });
    EXPECT_EQ(varn.ConvertMessageFromWire(Message(session.big)), 0);
    EXPECT_EQ(session.big.Bytes(), session.little.Bytes());
    EXPECT_EQ(ConstructHighTimeFromTableTime(session.big.Data() + 8).GetTicks(), 0x01DAC9B25F3E0001);

    // A wide text of ten units (type 12).
    SImages opening = MessageImages(12, [](CLoggerBytes& b) { b.PutWide(8, u"Analyzer01", 20); });
    EXPECT_EQ(varn.ConvertMessageFromWire(Message(opening.big)), 0);
    EXPECT_EQ(opening.big.Bytes(), opening.little.Bytes());
}

TEST(UmboConvert, MessageTypesOutsideTheCatalogue)
{
    CUmboVarnConvert varn;
    for (WORD type : {0, 18, 23, 32, 34, 40, 42, 44, 1000, 1003, 1004, 1007})
    {
        CLoggerBytes big = MakeMessageHeaderBytes(true, type, 64);
        EXPECT_EQ(varn.ConvertMessageFromWire(Message(big)), 1) << type;
        EXPECT_EQ(Message(big)->magic, kUmboMagic);  // the header itself is in host order now
    }
    for (WORD type : {6, 7, 9, 10, 11, 16, 17, 25, 35, 37, 39})
    {
        CLoggerBytes host = MakeMessageHeaderBytes(false, type, 0);
        EXPECT_EQ(varn.ConvertMessageToWire(Message(host)), 1) << type;
    }
    CLoggerBytes noWords = MakeMessageHeaderBytes(true, 19, 0);
    EXPECT_EQ(varn.ConvertMessageFromWire(Message(noWords)), 0);
    for (WORD type : {1001, 1002, 1005, 1006, 36, 43})
    {
        SImages images = MessageImages(type, [](CLoggerBytes& b) {
            for (std::size_t offset = 8; offset < 32; offset += 4)
                b.PutU32(offset, DWORD(offset));
        });
        EXPECT_EQ(varn.ConvertMessageFromWire(Message(images.big)), 0) << type;
        CUmboVarnConvert back;
        EXPECT_EQ(back.ConvertMessageToWire(Message(images.big)), 0) << type;
        EXPECT_EQ(images.big.Bytes(), MessageImages(type, [](CLoggerBytes& b) {
                                          for (std::size_t offset = 8; offset < 32; offset += 4)
                                              b.PutU32(offset, DWORD(offset));
                                      }).big.Bytes())
            << type;
    }
}

TEST(UmboConvert, MakesHeadersInTheStreamOrder)
{
    Umbo_msg_header_t header;
    std::memset(&header, 0xEE, sizeof header);
    CUmboVarnConvert varn;
    varn.MakeMessageHeader(&header, 13, 0x102);
    CLoggerBytes expected = MakeMessageHeaderBytes(true, 13, 0x102);
    EXPECT_EQ(std::memcmp(&header, expected.Data(), sizeof header), 0);

    CUmboQuarnConvert quarn;
    quarn.MakeMessageHeader(&header, 13, 0x102);
    expected = MakeMessageHeaderBytes(false, 13, 0x102);
    EXPECT_EQ(std::memcmp(&header, expected.Data(), sizeof header), 0);

    EXPECT_EQ(varn.U16ValueFromWire(0x0BBA), kUmboMagic);
    EXPECT_EQ(varn.U32ValueToWire(0x01020304), 0x04030201u);
    EXPECT_EQ(quarn.U32ValueFromWire(0x01020304), 0x01020304u);
    BYTE word[4] = {1, 2, 3, 4};
    varn.U32FromWire(word);
    EXPECT_EQ(word[0], 4);
    BYTE time[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(varn.TimeFromWire(time), 1);
    const BYTE swapped[8] = {4, 3, 2, 1, 8, 7, 6, 5};
    EXPECT_EQ(std::memcmp(time, swapped, 8), 0);
}

TEST(UmboConvert, TablesTooShortForTheirHeaderTouchNothingBeyondIt)
{
    // table_lth below 12: the readers stop there; the converters must not overrun either.
    for (WORD type : {16, 26, 65, 1, 68})
    {
        CLoggerBytes image = MakeTableBytes(true, type, 5);
        ASSERT_EQ(image.Size(), 12u);
        CUmboVarnConvert varn;
        const int result = varn.ConvertTableFromWire(Table(image));
        EXPECT_TRUE(result == 0 || result == 2) << type;
        EXPECT_EQ(Table(image)->table_lth, 5) << type;
    }
}
