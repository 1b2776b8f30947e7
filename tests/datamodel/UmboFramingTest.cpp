#include "datamodel/UmboFraming.h"

#include "support/LoggerBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
Umbo_msg_header_t HostHeader(WORD type)
{
    CLoggerBytes bytes = MakeMessageHeaderBytes(false, type, 0);
    for (std::size_t offset = 8; offset < 32; offset += 4)
        bytes.PutU32(offset, DWORD(0x1000 + offset));
    Umbo_msg_header_t header;
    std::memcpy(&header, bytes.Data(), sizeof header);
    return header;
}

DWORD ResultOf(WORD type)
{
    const Umbo_msg_header_t header = HostHeader(type);
    return GetUmboMessageResult(&header);
}
} // namespace

TEST(UmboFraming, ResultWordLiesWhereTheTypeKeepsIt)
{
    for (WORD type : {2, 4, 9, 14, 20, 22, 23, 28, 35, 38, 41, 42, 43})
        EXPECT_EQ(ResultOf(type), 0x1000u + 28) << type;
    EXPECT_EQ(ResultOf(34), 0x1000u + 20);
    for (WORD type : {0, 1, 3, 15, 16, 19, 21, 29, 33, 39, 40, 44, 1001, 1006})
        EXPECT_EQ(ResultOf(type), 0u) << type;
}

TEST(UmboFraming, EightBitTextEndsAtZeroOrTheFieldEnd)
{
    const char field[6] = {'A', 'b', char(0x80), char(0xE9), 'x', 'y'};
    EXPECT_EQ(CharArrayToString(field, 4), "Ab\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(CharArrayToString(field, 6), "Ab\xE2\x82\xAC\xC3\xA9xy");
    const char shortText[8] = {'o', 'k', 0, 'n', 'o'};
    EXPECT_EQ(CharArrayToString(shortText, 8), "ok");
    EXPECT_EQ(CharArrayToString(shortText, 0), "");
    EXPECT_EQ(CharArrayToString(nullptr, 4), "");
}

TEST(UmboFraming, WideTextReadsWholeUnitsInsideTheField)
{
    CLoggerBytes bytes(false, 1);
    bytes.PutWide(1, u"Z\u00FCrich", 14);  // at an odd offset
    EXPECT_EQ(WCharArrayToString(bytes.Data() + 1, 14), "Z\xC3\xBCrich");
    // Five bytes hold two whole units; the odd byte is never read as half a unit.
    EXPECT_EQ(WCharArrayToString(bytes.Data() + 1, 5), "Z\xC3\xBC");
    EXPECT_EQ(WCharArrayToString(bytes.Data() + 1, 1), "");
    CLoggerBytes padded(false);
    padded.PutWide(0, u"ab", 16);
    EXPECT_EQ(WCharArrayToString(padded.Data(), 16), "ab");
}

TEST(UmboFraming, HeadersHaveTheirFixedSizes)
{
    EXPECT_EQ(kUmboMsgHeaderSize, 32u);
    EXPECT_EQ(kUmboTableHeaderSize, 12u);
    EXPECT_EQ(offsetof(Umbo_msg_header_t, body_lth), 4u);
    EXPECT_EQ(offsetof(Umbo_table_header_t, time_stamp), 4u);
}

TEST(UmboFraming, TestImagesAreWrittenInTheirByteOrder)
{
    CLoggerBytes big(true);
    big.PutU32(0, 0x01020304);
    big.PutTime(4, 0x0A0B0C0D01020304);
    big.PutWide(12, u"A", 2);
    const std::vector<BYTE> bigBytes = {1, 2, 3, 4, 0x0A, 0x0B, 0x0C, 0x0D, 1, 2, 3, 4, 0, 'A'};
    EXPECT_EQ(big.Bytes(), bigBytes);
    CLoggerBytes little(false);
    little.PutU16(0, 0x0102);
    little.PutTime(2, 0x0A0B0C0D01020304);
    const std::vector<BYTE> littleBytes = {2, 1, 0x0D, 0x0C, 0x0B, 0x0A, 4, 3, 2, 1};
    EXPECT_EQ(little.Bytes(), littleBytes);
    EXPECT_EQ(little.GetU16(0), 0x0102);
    const CLoggerBytes message = MakeMessageBytes(true, 20, {MakeTableBytes(true, 65, 104), MakeTableBytes(true, 14, 12)});
    EXPECT_EQ(message.Size(), 32u + 104 + 12);
    EXPECT_EQ(message.GetU32(4), 116u);
    EXPECT_EQ(message.Data()[0], 0xBA);
}
