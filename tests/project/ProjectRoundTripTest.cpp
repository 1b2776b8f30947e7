#include <gtest/gtest.h>

#include <clocale>

#include "ProjectTestUtil.h"

namespace
{
std::string WriteReadWrite(const std::string& first, EProjectLoadResult expected = EProjectLoadResult::kComplete)
{
    CProjectSettings read;
    EXPECT_EQ(read.LoadFromBytes(first), expected);
    return read.SaveToBytes();
}
} // namespace

TEST(ProjectRoundTripTest, EveryKindOfElementSurvivesByteIdentically)
{
    const std::string first = MakeFullProject()->SaveToBytes();
    const std::string second = WriteReadWrite(first);
    EXPECT_EQ(first, second);
    EXPECT_EQ(WriteReadWrite(second), second);

    // The document holds what it was made from, not only the same bytes.
    for (const char* part : {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<lastView>DemandGraph</lastView>",
                             "<EnergyStudy_LastView>3</EnergyStudy_LastView>", "<phaseG>1.5</phaseG>",
                             "<type>LoadStudyVAHzTHDGraph</type>", "<calendarLoadStudyView>", "<projectManagerView>",
                             "<reportView>", "<auxData index=\"1\" ratio=\"10\"", "<interval start=\"1260\" end=\"370\"/>"})
        EXPECT_NE(first.find(part), std::string::npos) << part;

    CProjectSettings read;
    ASSERT_EQ(read.LoadFromBytes(first), EProjectLoadResult::kComplete);
    EXPECT_FALSE(read.IsLoadImperfect());
    EXPECT_EQ(read.GetMeasurementCount(), 4);
    EXPECT_EQ(read.GetImageCount(), 2);
    ASSERT_EQ(read.GetBookmarkCount(), kBookmarkTypeCount);
    EXPECT_EQ(read.GetMeasurement(1).GetDescription(), "Hall \xE2\x82\xAC \xF0\x9F\x98\x80 <&>");
    EXPECT_EQ(read.GetMeasurement(2).GetCurrentScaleFactor(4), 1.5f);
    EXPECT_EQ(read.GetImage(1).utcOffset, -240);
    EXPECT_EQ(read.GetMaxDemandLoadCurrent(), 123.456);
    EXPECT_EQ(read.GetLoadStudyLastView(), 6);
    const auto* manager = dynamic_cast<const CProjectManagerSettings*>(read.GetViewSettings(9));
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager->m_dataSets, MakeFullProjectManager().m_dataSets);
    for (int type = 0; type < kBookmarkTypeCount; ++type)
    {
        const CBookmark& bookmark = read.GetBookmark(type);
        EXPECT_EQ(bookmark.GetType(), type);
        ASSERT_NE(bookmark.GetViewSettings(), nullptr);
        EXPECT_EQ(bookmark.GetUserViewSettings() != nullptr, type % 3 != 0);
    }
}

TEST(ProjectRoundTripTest, NumbersDoNotFollowTheProcessLocale)
{
    const std::string expected = MakeFullProject()->SaveToBytes();
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no comma-decimal locale installed";
    const std::string written = MakeFullProject()->SaveToBytes();
    const std::string again = WriteReadWrite(written);
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(again, expected);
}

TEST(ProjectRoundTripTest, EmptyProjectWritesTheFourListsOnly)
{
    EXPECT_EQ(CProjectSettings().SaveToBytes(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<project>\n\t<measurements/>\n\t<images/>\n\t<bookmarks/>\n\t<views/>\n</project>\n\n");
}

TEST(ProjectRoundTripTest, UserSettingsWrittenWhenAnyValueIsSet)
{
    for (int which = 0; which < 4; ++which)
    {
        CProjectSettings project;
        switch (which)
        {
        case 0: project.SetMaxDemandLoadCurrent(0.5); break;
        case 1: project.SetLastView(10); break;
        case 2: project.SetEnergyStudyLastView(3); break;
        case 3: project.SetLoadStudyLastView(8); break;
        }
        CProjectSettings read;
        read.LoadFromBytes(project.SaveToBytes());
        EXPECT_EQ(read.GetMaxDemandLoadCurrent(), project.GetMaxDemandLoadCurrent());
        EXPECT_EQ(read.GetLastView(), project.GetLastView());
        EXPECT_EQ(read.GetEnergyStudyLastView(), project.GetEnergyStudyLastView());
        EXPECT_EQ(read.GetLoadStudyLastView(), project.GetLoadStudyLastView());
    }
}

TEST(ProjectRoundTripTest, StreamsWriteInChunksAndReadBack)
{
    const auto project = MakeFullProject();
    CMemoryStream stream;
    ASSERT_TRUE(project->SaveToStream(stream));
    EXPECT_EQ(stream.Bytes(), project->SaveToBytes());
    EXPECT_EQ(stream.Writes(), int((stream.Bytes().size() + 4095) / 4096));
    CProjectSettings read;
    EXPECT_EQ(read.LoadFromStream(stream), EProjectLoadResult::kComplete);
    EXPECT_EQ(read.SaveToBytes(), stream.Bytes());
}
