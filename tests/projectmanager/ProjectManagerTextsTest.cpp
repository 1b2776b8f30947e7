// The information texts of the session and screenshot cards, built from written sessions: probe
// ranges, nominal voltages, descriptions cut to their first line, counts with missing intervals,
// and the picture heights of the saved-screen cards.
#include "datamodel/DataSet.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "project/ImageSettings.h"
#include "projectmanager/ProjectManagerSavedScreenGrid.h"
#include "projectmanager/ProjectManagerTexts.h"
#include "support/ScopedUserLocale.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class ProjectManagerTextsTest : public ::testing::Test
{
protected:
    // The shared fonts of the texts' tags need the window layer.
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }

    // The session written with that layout and read back.
    std::unique_ptr<CDataSet> Load(const SSessionSpec& recording)
    {
        const std::string path = folder.Path("session.zlg");
        EXPECT_TRUE(WriteBytesToFile(path, CSessionWriter(recording).BuildFile()));
        auto dataSet = std::make_unique<CDataSet>(nullptr);
        EXPECT_EQ(dataSet->LoadFromFile(path.c_str(), false), 0);
        return dataSet;
    }
    static bool Contains(const CString& text, const char* part) { return text.Find(part) >= 0; }

    CTempXdgHome home;
    CTempFolder folder;
    CScopedUserLocale locale{CUserLocale::EnUs()};
    CProjectManagerTexts texts;
    CValueFormatter formatter;
};

TEST_F(ProjectManagerTextsTest, ProbesShowAmperesOrMilliamperes)
{
    SSessionSpec recording;
    recording.probeRange = 0.5f;
    const CString small = texts.FormatConfigurationText(Load(recording)->GetMeasurementConfig(), formatter);
    EXPECT_TRUE(Contains(small, "A, Flex-100, 500mA, 700100\n")) << small;
    recording.probeRange = 5.0f;
    const CString large = CProjectManagerTexts::FormatProbeLines(Load(recording)->GetMeasurementConfig());
    EXPECT_TRUE(Contains(large, "B, Flex-100, 5A, 700101\n")) << large;
}

TEST_F(ProjectManagerTextsTest, NominalVoltageOnlyForLoadStudiesAwayFromOne)
{
    SSessionSpec recording;
    recording.studyType = 2;
    recording.nominalVoltage = 1.0f;
    const CString one = texts.FormatConfigurationText(Load(recording)->GetMeasurementConfig(), formatter);
    EXPECT_TRUE(Contains(one, "Nominal voltage:\n") && Contains(one, "- - -"));
    recording.nominalVoltage = 120.0f;
    const CString load = texts.FormatConfigurationText(Load(recording)->GetMeasurementConfig(), formatter);
    EXPECT_TRUE(Contains(load, " 120V")) << load;
    recording.studyType = 1;
    const CString energy = texts.FormatConfigurationText(Load(recording)->GetMeasurementConfig(), formatter);
    EXPECT_FALSE(Contains(energy, "120V"));
    EXPECT_TRUE(Contains(energy, texts.Value("1:1")));
}

TEST_F(ProjectManagerTextsTest, DescriptionShowsItsFirstLineUpToFortyCharacters)
{
    EXPECT_EQ(CProjectManagerTexts::FirstLineOfDescription("first\r\nsecond"), "first");
    EXPECT_EQ(CProjectManagerTexts::FirstLineOfDescription("first\nsecond\rthird"), "first");
    EXPECT_EQ(CProjectManagerTexts::FirstLineOfDescription("only \rone"), "only ");
    const CString longLine(std::string(45, 'x'));
    EXPECT_EQ(CProjectManagerTexts::FirstLineOfDescription(longLine).GetLength(), 40);
    // Forty characters, never half of one: "ä" is two bytes.
    std::string umlauts;
    for (int i = 0; i < 45; ++i)
        umlauts += "\xC3\xA4";
    EXPECT_EQ(CProjectManagerTexts::FirstLineOfDescription(CString(umlauts)).GetLength(), 80);

    SSessionSpec recording;
    recording.description = u"Feeder 7 survey in the main hall, west wing, line 3\r\nsecond line";
    const CString origin = texts.FormatOriginText(*Load(recording));
    EXPECT_TRUE(Contains(origin, texts.Value("Feeder 7 survey in the main hall, west w"))) << origin;
    EXPECT_FALSE(Contains(origin, "second line"));
}

TEST_F(ProjectManagerTextsTest, RecordCountsShowTheMissingIntervals)
{
    SSessionSpec recording;
    recording.trendRecords = 103;
    recording.gapStart = 40;
    recording.gapLength = 3;
    const CString gaps = texts.FormatTimesText(*Load(recording));
    EXPECT_TRUE(Contains(gaps, texts.Value("100 (103)"))) << gaps;
    recording.trendRecords = 100;
    recording.gapStart = -1;
    const CString whole = texts.FormatTimesText(*Load(recording));
    EXPECT_TRUE(Contains(whole, texts.Value("100")));
    EXPECT_TRUE(Contains(whole, texts.Value("10min")));
}

TEST_F(ProjectManagerTextsTest, ScreenshotTextTellsTheDateUnderItsOwnLabel)
{
    CImageSettings image;
    image.instrument = "Zelko4626";
    image.instrumentCpu = "2.1";
    image.serialNumber = "4626017";
    const CString undated = texts.FormatSavedScreenText(&image);
    EXPECT_TRUE(Contains(undated, texts.Label("Screenshot date:") + texts.Value("")));
    EXPECT_FALSE(Contains(undated, "Original description"));
    EXPECT_TRUE(Contains(undated, texts.Value("Firmware Version:  2.1")));
    image.imageTime = CHighTime(2026, 3, 2, 10, 15, 0);
    EXPECT_TRUE(Contains(texts.FormatSavedScreenText(&image), texts.Value(" 3/2/2026 10:15:00 AM")));
    const CString none = texts.FormatSavedScreenText(nullptr);
    EXPECT_TRUE(Contains(none, texts.Label("Instrument serial number:") + texts.Value("")));
}

TEST(SavedScreenPictureTest, WidePicturesAreScaledToTheirColumn)
{
    // 1000 x 600 in the 486-pixel column: about 291 px high, a picture row of 218 + 13.
    EXPECT_EQ(CProjectManagerSavedScreenGrid::ScaledPictureHeight(CSize(1000, 600), 486), 291);
    EXPECT_EQ(CProjectManagerSavedScreenGrid::ScaledPictureHeight(CSize(320, 240), 486), 240);
    EXPECT_EQ(CProjectManagerSavedScreenGrid::ScaledPictureHeight(CSize(0, 0), 486), 0);
    EXPECT_EQ(CPictureCellType::FitPicture(CSize(1000, 600), CSize(482, 287)), CSize(478, 287));
    EXPECT_EQ(CPictureCellType::FitPicture(CSize(320, 240), CSize(482, 287)), CSize(320, 240));
}

} // namespace
