#include "project/ScreenshotInfo.h"
#include "project/ScreenshotTime.h"

#include <gtest/gtest.h>
#include <lodepng.h>

#include <filesystem>

#include "PngBuilder.h"
#include "support/TempFolder.h"
#include "support/ScopedTimeZone.h"

namespace {

constexpr char kCentralEurope[] = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr char kDescription[] = "Device=Zelko4626\nSerial=12345678\nCPU=1.2.3\nDSP=4.5\n"
                                "CreationTime=2014-10-16 112828\nUtcOffset=120";
const CHighTime kCreationUtc(CTime(1413458908)); // 2014-10-16 11:28:28 UTC

bool IsNull(const CHighTime& time)
{
    return time.GetStatus() == CHighTime::null;
}

} // namespace

TEST(ScreenshotTime, ReadsTheSeventeenCharacterForm)
{
    const auto t = ParseScreenshotTime("2014-10-16 132828.png");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->year, 2014);
    EXPECT_EQ(t->month, 10);
    EXPECT_EQ(t->day, 16);
    EXPECT_EQ(t->hour, 13);
    EXPECT_EQ(t->minute, 28);
    EXPECT_EQ(t->second, 28);
    // Separators are not looked at; blanks and a sign before the digits are accepted.
    EXPECT_TRUE(ParseScreenshotTime("2014x10y16z132828"));
    EXPECT_TRUE(ParseScreenshotTime("2014-+1- 1 132828"));
    EXPECT_FALSE(ParseScreenshotTime("2014-10-16 13282"));
    EXPECT_FALSE(ParseScreenshotTime("2014-1a-16 132828"));
    EXPECT_FALSE(ParseScreenshotTime("2014-10-16 13  28"));
}

TEST(ScreenshotTime, RefusesFieldsOutsideTheCalendar)
{
    for (const char* text : {"2014-13-16 132828", "2014-00-16 132828", "2014-02-29 120000", "2014-04-31 120000",
                             "2014-10-16 240000", "2014-10-16 136000", "2014-10-16 132860", "2014--1-16 132828",
                             "0000-10-16 132828", "2014-10-00 132828"})
        EXPECT_FALSE(ParseScreenshotTime(text)) << text;
    EXPECT_TRUE(ParseScreenshotTime("2016-02-29 235959"));
}

TEST(ScreenshotTime, FileNameGivesLocalTime)
{
    ScopedTimeZone zone(kCentralEurope);
    const CHighTime expected(2014, 10, 16, 13, 28, 28);
    EXPECT_EQ(TimeFromScreenshotFileName("screenshot-2014-10-16 132828.png").GetTicks(), expected.GetTicks());
    EXPECT_EQ(TimeFromScreenshotFileName("Screenshot-2014-10-16 132828.png").GetTicks(), expected.GetTicks());
    EXPECT_EQ(TimeFromScreenshotFileName("screenshot-2014-10-16 132828.png").GetStatus(), CHighTime::valid);
    EXPECT_TRUE(IsNull(TimeFromScreenshotFileName("shot-2014-10-16 132828.png")));
    // Hours and minutes only: the extension's dot lands in the seconds piece.
    EXPECT_TRUE(IsNull(TimeFromScreenshotFileName("screenshot-2014-10-16 1328.png")));
    EXPECT_TRUE(IsNull(TimeFromScreenshotFileName("screenshot-")));
}

TEST(ScreenshotDescription, ReadsTheSixKeys)
{
    CImageSettings image;
    EXPECT_TRUE(ParseScreenshotDescription(CString(kDescription) + "\nExtra=1", image));
    EXPECT_EQ(image.instrument, "Zelko4626");
    EXPECT_EQ(image.serialNumber, "12345678");
    EXPECT_EQ(image.instrumentCpu, "1.2.3");
    EXPECT_EQ(image.instrumentDsp, "4.5");
    EXPECT_EQ(image.utcOffset, 120);
    EXPECT_EQ(image.imageTime.GetTicks(), kCreationUtc.GetTicks());
    EXPECT_EQ(image.imageTime.GetStatus(), CHighTime::valid);
}

TEST(ScreenshotDescription, CountsOccurrencesNotDistinctKeys)
{
    CImageSettings image;
    EXPECT_TRUE(ParseScreenshotDescription("Device=a\nDevice=b\nSerial=1\nCPU=2\nCreationTime=x\nUtcOffset=0", image));
    EXPECT_EQ(image.instrument, "b");
    EXPECT_TRUE(IsNull(image.imageTime));
    EXPECT_FALSE(ParseScreenshotDescription("Device=a\nSerial=1\nCPU=2\nDSP=3\nCreationTime=x", image));
    EXPECT_FALSE(ParseScreenshotDescription(CString(kDescription) + "\nCPU=again", image));
    EXPECT_FALSE(ParseScreenshotDescription("", image));
    // Keys are compared with their case.
    EXPECT_FALSE(ParseScreenshotDescription("device=a\nSerial=1\nCPU=2\nDSP=3\nCreationTime=x\nUtcOffset=0", image));
}

TEST(ScreenshotDescription, ValuesKeepCarriageReturnsAndOffsetsMustBeWholeNumbers)
{
    CImageSettings image;
    ParseScreenshotDescription("Serial=77\r\nUtcOffset=-120\r\n", image);
    EXPECT_EQ(image.serialNumber, "77\r");
    EXPECT_EQ(image.utcOffset, 0);
    ParseScreenshotDescription("UtcOffset=-120", image);
    EXPECT_EQ(image.utcOffset, -120);
    ParseScreenshotDescription("UtcOffset=60m", image);
    EXPECT_EQ(image.utcOffset, 0);
    ParseScreenshotDescription("UtcOffset=99999999999999999999", image);
    EXPECT_EQ(image.utcOffset, 0);
    ParseScreenshotDescription("Device=a=b", image);
    EXPECT_EQ(image.instrument, "a=b");
}

class ScreenshotFile : public ::testing::Test
{
protected:
    CString Write(const std::string& name, const std::vector<unsigned char>& bytes)
    {
        const std::string path = m_folder.Path(name);
        WriteFileBytes(path, bytes);
        return path;
    }

    ScopedTimeZone m_zone{kCentralEurope};
    CTempFolder m_folder;
};

TEST_F(ScreenshotFile, ReadsTheDescriptionChunk)
{
    CPngBuilder png;
    png.AddText("Title", "ignored").AddText("Description", kDescription).Finish();
    CImageSettings image;
    image.fileName = "kept";
    EXPECT_TRUE(ReadScreenshotInfo(Write("screenshot-2014-10-16 132828.png", png.Bytes()), image));
    EXPECT_EQ(image.serialNumber, "12345678");
    EXPECT_EQ(image.imageTime.GetTicks(), kCreationUtc.GetTicks());
    EXPECT_EQ(image.fileName, "kept");
}

TEST_F(ScreenshotFile, ReadsCompressedTextAndLetsTheLastDescriptionDecide)
{
    CPngBuilder png;
    png.AddCompressedText("Description", kDescription).AddText("Description", "Device=x").Finish();
    CImageSettings image;
    EXPECT_FALSE(ReadScreenshotInfo(Write("a.png", png.Bytes()), image));
    EXPECT_EQ(image.instrument, "x");
    EXPECT_EQ(image.serialNumber, "12345678");

    CPngBuilder compressed;
    compressed.AddCompressedText("Description", kDescription).Finish();
    EXPECT_TRUE(ReadScreenshotInfo(Write("b.png", compressed.Bytes()), image));
}

TEST_F(ScreenshotFile, ReadsPicturesWrittenByAnEncoder)
{
    LodePNGState state;
    lodepng_state_init(&state);
    lodepng_add_text(&state.info_png, "Description", kDescription);
    const std::vector<unsigned char> pixels(64 * 48 * 4, 0x40);
    unsigned char* out = nullptr;
    std::size_t size = 0;
    ASSERT_EQ(lodepng_encode(&out, &size, pixels.data(), 64, 48, &state), 0u);
    const std::vector<unsigned char> bytes(out, out + size);
    std::free(out);
    lodepng_state_cleanup(&state);
    CImageSettings image;
    EXPECT_TRUE(ReadScreenshotInfo(Write("enc.png", bytes), image));
    EXPECT_EQ(image.instrumentDsp, "4.5");
}

TEST_F(ScreenshotFile, ReadsPicturesWrittenByAnotherTool)
{
    // Written by ImageMagick (convert -size 4x3 xc:gray -set Description ...): a grey picture with
    // a gamma chunk before its pixels and the description after them.
    const std::vector<unsigned char> bytes = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x04, 0x00, 0x00, 0x00, 0x03, 0x08, 0x00, 0x00, 0x00, 0x00, 0x91, 0x9F, 0xF1, 0x1A, 0x00, 0x00, 0x00,
    0x04, 0x67, 0x41, 0x4D, 0x41, 0x00, 0x00, 0xB1, 0x8F, 0x0B, 0xFC, 0x61, 0x05, 0x00, 0x00, 0x00, 0x10, 0x49,
    0x44, 0x41, 0x54, 0x08, 0xD7, 0x63, 0xAC, 0x63, 0x60, 0x60, 0x60, 0x62, 0x80, 0x11, 0x00, 0x07, 0x20, 0x00,
    0x84, 0x44, 0xAE, 0xDB, 0x2B, 0x00, 0x00, 0x00, 0x6B, 0x74, 0x45, 0x58, 0x74, 0x44, 0x65, 0x73, 0x63, 0x72,
    0x69, 0x70, 0x74, 0x69, 0x6F, 0x6E, 0x00, 0x44, 0x65, 0x76, 0x69, 0x63, 0x65, 0x3D, 0x5A, 0x65, 0x6C, 0x6B,
    0x6F, 0x34, 0x36, 0x32, 0x36, 0x0A, 0x53, 0x65, 0x72, 0x69, 0x61, 0x6C, 0x3D, 0x31, 0x32, 0x33, 0x34, 0x35,
    0x36, 0x37, 0x38, 0x0A, 0x43, 0x50, 0x55, 0x3D, 0x31, 0x2E, 0x32, 0x2E, 0x33, 0x0A, 0x44, 0x53, 0x50, 0x3D,
    0x34, 0x2E, 0x35, 0x0A, 0x43, 0x72, 0x65, 0x61, 0x74, 0x69, 0x6F, 0x6E, 0x54, 0x69, 0x6D, 0x65, 0x3D, 0x32,
    0x30, 0x31, 0x34, 0x2D, 0x31, 0x30, 0x2D, 0x31, 0x36, 0x20, 0x31, 0x31, 0x32, 0x38, 0x32, 0x38, 0x0A, 0x55,
    0x74, 0x63, 0x4F, 0x66, 0x66, 0x73, 0x65, 0x74, 0x3D, 0x31, 0x32, 0x30, 0x8D, 0x8F, 0xEE, 0xCF, 0x00, 0x00,
    0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82
    };
    CImageSettings image;
    EXPECT_TRUE(ReadScreenshotInfo(Write("screenshot-2014-10-16 132828.png", bytes), image));
    EXPECT_EQ(image.instrument, "Zelko4626");
    EXPECT_EQ(image.instrumentCpu, "1.2.3");
    EXPECT_EQ(image.utcOffset, 120);
    EXPECT_EQ(image.imageTime.GetTicks(), kCreationUtc.GetTicks());

    // The same file cut before its description, inside it, and before its end chunk.
    for (const std::size_t length : {std::size_t(77), std::size_t(90), bytes.size() - 12}) {
        CImageSettings cut;
        EXPECT_FALSE(ReadScreenshotInfo(Write("cut.png", {bytes.begin(), bytes.begin() + std::ptrdiff_t(length)}), cut))
            << length;
        EXPECT_TRUE(cut.serialNumber.IsEmpty()) << length;
    }
}

TEST_F(ScreenshotFile, MalformedFilesGiveFalseButKeepTheNameTime)
{
    const CHighTime nameTime(2014, 10, 16, 13, 28, 28);
    const std::string name = "screenshot-2014-10-16 132828.png";
    std::vector<std::vector<unsigned char>> files;
    {
        CPngBuilder noDescription; // a description in the wrong case is no description
        files.push_back(noDescription.AddText("description", kDescription).Finish().Bytes());
    }
    {
        CPngBuilder badCrc;
        auto& bytes = badCrc.AddText("Description", kDescription).Finish().Bytes();
        bytes[40] ^= 0x01; // inside the text chunk
        files.push_back(bytes);
    }
    {
        CPngBuilder truncated; // no IEND
        auto bytes = truncated.AddText("Description", kDescription).Bytes();
        files.push_back(bytes);
    }
    {
        CPngBuilder overlong; // a length running past the end of the file
        auto bytes = overlong.AddText("Description", kDescription).Finish().Bytes();
        bytes[33] = 0x7F;
        files.push_back(bytes);
    }
    {
        CPngBuilder noKeyword; // an empty keyword is not a valid text chunk
        files.push_back(noKeyword.AddText("", kDescription).Finish().Bytes());
    }
    files.push_back({'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    files.push_back({});
    for (std::size_t i = 0; i < files.size(); ++i) {
        CImageSettings image;
        EXPECT_FALSE(ReadScreenshotInfo(Write(name, files[i]), image)) << i;
        EXPECT_EQ(image.imageTime.GetTicks(), nameTime.GetTicks()) << i;
        EXPECT_TRUE(image.serialNumber.IsEmpty()) << i;
    }
    CImageSettings missing;
    EXPECT_FALSE(ReadScreenshotInfo(CString(m_folder.Path("screenshot-2014-10-16 132828 missing.png")), missing));
    EXPECT_EQ(missing.imageTime.GetTicks(), nameTime.GetTicks());
}

TEST_F(ScreenshotFile, RefusesOversizedFilesUnread)
{
    CPngBuilder png;
    const CString path = Write("big.png", png.AddText("Description", kDescription).Finish().Bytes());
    std::filesystem::resize_file(path.GetString(), kMaxScreenshotFileBytes + 1);
    CImageSettings image;
    EXPECT_FALSE(ReadScreenshotInfo(path, image));
    EXPECT_TRUE(image.serialNumber.IsEmpty());
}

TEST_F(ScreenshotFile, SurvivesDamagedBytesAnywhere)
{
    CPngBuilder png;
    png.AddText("Description", kDescription).AddCompressedText("Description", kDescription).Finish();
    const std::vector<unsigned char> good = png.Bytes();
    unsigned state = 12345;
    const auto next = [&state] { return state = state * 1103515245u + 12345u; };
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> bytes = good;
        for (int k = 0; k < 1 + round % 4; ++k)
            bytes[next() % bytes.size()] = static_cast<unsigned char>(next() >> 16);
        if (round % 5 == 0)
            bytes.resize(next() % bytes.size());
        CImageSettings image;
        ReadScreenshotInfo(Write("damaged.png", bytes), image); // must neither crash nor read out of bounds
    }
}
