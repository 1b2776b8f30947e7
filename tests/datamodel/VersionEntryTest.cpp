#include "datamodel/VersionEntry.h"

#include "platform/framework/StringTable.h"
#include "support/LoggerBytes.h"

#include <gtest/gtest.h>

namespace
{
class VersionEntry : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG")); }

    static CLoggerBytes Entry(WORD type, DWORD value, std::string_view text)
    {
        CLoggerBytes entry = MakeTableBytes(false, type, WORD(16 + text.size() + 1));
        entry.PutU32(12, value);
        entry.PutText(16, text, text.size() + 1);
        return entry;
    }

    static const Umbo_table_header_t* Header(const CLoggerBytes& bytes)
    {
        return reinterpret_cast<const Umbo_table_header_t*>(bytes.Data());
    }
};
} // namespace

TEST_F(VersionEntry, NamesTheVersionTypes)
{
    const std::pair<int, int> names[] = {{37, 27950}, {38, 27951}, {44, 27957}, {45, 27958},
                                         {48, 27959}, {52, 27960}, {57, 27961}, {58, 27962}};
    for (const auto& [type, id] : names)
    {
        EXPECT_EQ(VersionTableName(type), id);
        CString text;
        EXPECT_TRUE(text.LoadString(unsigned(id))) << id;
    }
    for (int type : {0, 36, 46, 47, 49, 51, 53, 56, 59, 63})
        EXPECT_LT(VersionTableName(type), 0) << type;
}

TEST_F(VersionEntry, FormatsNameValueAndText)
{
    const CLoggerBytes firmware = Entry(37, 215, "V2.15 build 7");
    EXPECT_EQ(FormatVersionEntry(Header(firmware), true),
              "Firmware Version:   " "         21.5 V2.15 build 7");
    EXPECT_EQ(FormatVersionEntry(Header(firmware), false), "Firmware Version:         21.5 V2.15 build 7");
    const CLoggerBytes fpga = Entry(39, 3, "");
    EXPECT_EQ(FormatVersionEntry(Header(fpga), true), "FPGA                          0.3 ");
    // The serial number shows its text alone.
    const CLoggerBytes serial = Entry(45, 0, "4626017");
    EXPECT_EQ(FormatVersionEntry(Header(serial), true), "          4626017");
    // An entry without text after its value (16 bytes).
    const CLoggerBytes bare = MakeTableBytes(false, 38, 16);
    EXPECT_EQ(FormatVersionEntry(Header(bare), false), "DSP Version:          0.0 ");
}

TEST_F(VersionEntry, DisplayNameCarriesTheSerialNumber)
{
    CString name;
    MakeDisplayNameWithSerial(name, "Feeder 2", "4626017");
    EXPECT_EQ(name, "Feeder 2 (SN 4626017)");
    MakeDisplayNameWithSerial(name, "", "");
    EXPECT_EQ(name, " (SN )");
}
