// Hand-written "project.xml" documents: missing optional parts, wrong types, bad numbers,
// out-of-range indices, broken UTF-8, deep nesting and oversized documents.
#include <gtest/gtest.h>

#include "support/LogCapture.h"
#include "ProjectTestUtil.h"

namespace
{
std::string Project(const std::string& inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><project>" + inner + "</project>";
}

std::string Measurement(const char* stream, const char* file, const std::string& more = {})
{
    return std::string("<measurement><streamName>") + stream + "</streamName><fileName>" + file + "</fileName>" +
           more + "</measurement>";
}

std::string Bookmark(const char* type, const char* image, const std::string& more = {})
{
    return std::string("<bookmark><name>b</name><type>") + type + "</type><time>5</time><image>" + image +
           "</image>" + more + "</bookmark>";
}

const char* kReportView = "<reportView><ProjectManagerListCollapsed>0</ProjectManagerListCollapsed>"
                          "<BookmarkListCollapsed>1</BookmarkListCollapsed><SplitterPos>7</SplitterPos>";
} // namespace

TEST(ProjectXmlReadTest, MissingOptionalPartsAndMissingRequiredOnes)
{
    CProjectSettings bare;
    EXPECT_EQ(bare.LoadFromBytes(Project("<measurements>" + Measurement("s", "f.zlg") + "</measurements>")),
              EProjectLoadResult::kComplete);
    EXPECT_EQ(bare.GetMeasurementCount(), 1);
    const CMeasurementSettings& m = bare.GetMeasurement(0);
    EXPECT_EQ(m.GetStudyType(), 0);
    EXPECT_EQ(m.GetCurrentScaleFactor(0), 1.0f);
    EXPECT_EQ(m.GetStartTime().GetStatus(), CHighTime::null);

    CLogCapture log;
    CProjectSettings noMeasurements;
    EXPECT_EQ(noMeasurements.LoadFromBytes(Project("<images/>")), EProjectLoadResult::kImperfect);
    EXPECT_TRUE(log.Contains("CProjectSettings::ImportFromXml - WARNING: Missing node measurements"));
    CProjectSettings noProject;
    EXPECT_EQ(noProject.LoadFromBytes("<projekt><measurements/></projekt>"), EProjectLoadResult::kImperfect);
    EXPECT_TRUE(log.Contains("CProjectSettings::ImportFromXml - WARNING: Missing node project"));
    EXPECT_TRUE(noProject.IsLoadImperfect());
}

TEST(ProjectXmlReadTest, WrongTypesAndBadNumbersReadAsTheTextFormsSay)
{
    CProjectSettings project;
    const std::string text = Project(
        "<measurements>" +
        Measurement("s", "f", "<studyType>abc</studyType><startTime>12x</startTime><endTime></endTime>"
                              "<currentScaleFactors><phaseA>1,5</phaseA><phaseX>3</phaseX><phaseN>2e0</phaseN>"
                              "<phaseB>nan</phaseB><phaseC>1e39</phaseC><phaseG>-2</phaseG>"
                              "</currentScaleFactors><unknown/>") +
        "</measurements><images><image><streamName>i</streamName><fileName>p.png</fileName>"
        "<utcOffset>-</utcOffset><imageTime>x</imageTime></image></images>"
        "<userSettings><maxDemandLoadCurrent>1,5</maxDemandLoadCurrent>"
        "<EnergyStudy_LastView>four</EnergyStudy_LastView></userSettings>");
    EXPECT_EQ(project.LoadFromBytes(text), EProjectLoadResult::kComplete);
    const CMeasurementSettings& m = project.GetMeasurement(0);
    EXPECT_EQ(m.GetStudyType(), 0);
    EXPECT_EQ(m.GetStartTime().GetTicks(), 12);
    EXPECT_EQ(m.GetEndTime().GetTicks(), 0);
    EXPECT_EQ(m.GetEndTime().GetStatus(), CHighTime::valid);
    EXPECT_EQ(m.GetCurrentScaleFactor(0), 1.0f);
    EXPECT_EQ(m.GetCurrentScaleFactor(3), 2.0f);
    // Factors that are not finite or not above 0 (which no editor takes) keep theirs.
    EXPECT_EQ(m.GetCurrentScaleFactor(1), 1.0f);
    EXPECT_EQ(m.GetCurrentScaleFactor(2), 1.0f);
    EXPECT_EQ(m.GetCurrentScaleFactor(4), 1.0f);
    EXPECT_EQ(project.GetImage(0).utcOffset, 0);
    EXPECT_EQ(project.GetMaxDemandLoadCurrent(), 1.0);
    // A non-number reads as 0, which is a valid Energy-study view.
    EXPECT_EQ(project.GetEnergyStudyLastView(), 0);
}

TEST(ProjectXmlReadTest, UserSettingsValuesAreRangeChecked)
{
    CLogCapture log;
    CProjectSettings project;
    project.LoadFromBytes(Project("<measurements/><userSettings><lastView>demandView</lastView>"
                                  "<EnergyStudy_LastView>5</EnergyStudy_LastView>"
                                  "<LoadStudy_LastView>-1</LoadStudy_LastView></userSettings>"));
    EXPECT_EQ(project.GetLastView(), -1);
    EXPECT_EQ(project.GetEnergyStudyLastView(), -1);
    EXPECT_EQ(project.GetLoadStudyLastView(), -1);
    const char* reader = "CProjectSettings::ImportUserSettingsFromXml - WARNING: wrong value ";
    EXPECT_TRUE(log.Contains(std::string(reader) + "demandView for node lastView"));
    EXPECT_TRUE(log.Contains(std::string(reader) + "5 for node EnergyStudy_LastView"));
    EXPECT_TRUE(log.Contains(std::string(reader) + "-1 for node LoadStudy_LastView"));

    CProjectSettings valid;
    valid.LoadFromBytes(Project("<measurements/><userSettings><lastView>ReportView</lastView>"
                                "<LoadStudy_LastView>8</LoadStudy_LastView></userSettings>"));
    EXPECT_EQ(valid.GetLastView(), 10);
    EXPECT_EQ(valid.GetLoadStudyLastView(), 8);
}

TEST(ProjectXmlReadTest, DroppedEntriesMakeTheLoadImperfect)
{
    const std::string cases[] = {
        "<measurements>" + Measurement("s", "") + "</measurements>",
        "<measurements><Measurement/></measurements>",
        "<measurements/><images><image><streamName>i</streamName></image></images>",
        "<measurements/><bookmarks>" + Bookmark("summaryGraph", "b.png") + "</bookmarks>",
        "<measurements/><bookmarks>" + Bookmark("DemandGraph", "") + "</bookmarks>",
    };
    for (const std::string& inner : cases)
    {
        CProjectSettings project;
        EXPECT_EQ(project.LoadFromBytes(Project(inner)), EProjectLoadResult::kImperfect) << inner;
        EXPECT_TRUE(project.IsLoadImperfect());
        // The archive's sweep then finds every stream referenced.
        std::vector<bool> flags(3, true);
        project.MarkReferencedStreams({"s", "b.png", "orphan"}, flags);
        EXPECT_EQ(flags, std::vector<bool>(3, false)) << inner;
    }

    CProjectSettings perfect;
    EXPECT_EQ(perfect.LoadFromBytes(Project("<measurements>" + Measurement("s", "f") + "</measurements><bookmarks>" +
                                            Bookmark("DemandGraph", "b.png") + "</bookmarks>")),
              EProjectLoadResult::kComplete);
    std::vector<bool> flags(4, true);
    perfect.MarkReferencedStreams({"s", "b.png", "orphan", "s"}, flags);
    EXPECT_EQ(flags, (std::vector<bool>{false, false, true, true}));
}

TEST(ProjectXmlReadTest, OutOfRangeIndicesAreDroppedOnce)
{
    CLogCapture log;
    CProjectSettings project;
    const std::string text = Project(
        "<measurements>" + Measurement("s0", "f") + Measurement("s1", "f") +
        "</measurements><images><image><streamName>i</streamName><fileName>p</fileName></image></images><views>" +
        kReportView +
        "<Item><Item Collapsed=\"0\" Index=\"1\" Type=\"1\"/><Item Collapsed=\"0\" Index=\"2\" Type=\"1\"/>"
        "<Item Collapsed=\"0\" Index=\"0\" Type=\"2\"/><Item Collapsed=\"0\" Index=\"1\" Type=\"2\"/>"
        "<Item Collapsed=\"0\" Index=\"0\" Type=\"3\"/><Item Collapsed=\"0\" Index=\"0\" Type=\"4\"/>"
        "<Item Collapsed=\"0\" Index=\"-1\" Type=\"1\"/><Item Collapsed=\"1\" Index=\"0\" Type=\"0\"/></Item>"
        "</reportView></views>");
    EXPECT_EQ(project.LoadFromBytes(text), EProjectLoadResult::kComplete);
    const auto* report = dynamic_cast<const CReportViewSettings*>(project.GetViewSettings(10));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->m_items, (std::vector<SReportItem>{{1, 1, 0}, {2, 0, 0}, {0, 0, 1}}));
    EXPECT_TRUE(log.ContainsPart("CReportViewSettings::DropInvalidItems - WARNING: report item Type=4 Index=0"));
    EXPECT_TRUE(log.ContainsPart("CReportViewSettings::DropInvalidItems - WARNING: report item Type=1 Index=2"));
}

TEST(ProjectXmlReadTest, BrokenUtf8BecomesReplacementCharacters)
{
    CProjectSettings project;
    project.LoadFromBytes(Project("<measurements>" + Measurement("s", "f", "<description>A\xFF" "B\xC0\xAF</description>") +
                                  "</measurements>"));
    EXPECT_EQ(project.GetMeasurement(0).GetDescription(), "A\xEF\xBF\xBD" "B\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(ProjectXmlReadTest, ByteOrderMarkIsSkipped)
{
    CProjectSettings project;
    EXPECT_EQ(project.LoadFromBytes("\xEF\xBB\xBF" + Project("<measurements/>")), EProjectLoadResult::kComplete);
}

TEST(ProjectXmlReadTest, MalformedDocumentLeavesTheProjectUnchanged)
{
    const auto project = MakeFullProject();
    CLogCapture log;
    EXPECT_EQ(project->LoadFromBytes(Project("<measurements><measurement></measurements>")),
              EProjectLoadResult::kUnreadable);
    EXPECT_TRUE(log.ContainsPart("CProjectSettings::ImportFromXml parse exception (what="));
    EXPECT_FALSE(log.ContainsPart("CProjectSettings::ImportFromXml started."));
    EXPECT_NE(project->GetViewSettings(0), nullptr);
    EXPECT_EQ(project->GetMeasurementCount(), 4);
    EXPECT_TRUE(project->IsLoadImperfect());
}

TEST(ProjectXmlReadTest, DeepNestingIsRefusedBeforeParsing)
{
    const auto nested = [](int depth) {
        std::string open, close;
        for (int i = 0; i < depth; ++i)
            open += "<a>", close += "</a>";
        // A quoted '<' inside a tag is no tag.
        return Project("<measurements/><views><x q=\"<b><b>\">" + open + close + "</x></views>");
    };
    CLogCapture log;
    CProjectSettings shallow;
    EXPECT_EQ(shallow.LoadFromBytes(nested(CProjectSettings::kMaxNestingDepth - 4)), EProjectLoadResult::kComplete);
    for (int depth : {CProjectSettings::kMaxNestingDepth, 1000000})
    {
        CProjectSettings deep;
        EXPECT_EQ(deep.LoadFromBytes(nested(depth)), EProjectLoadResult::kUnreadable);
        EXPECT_TRUE(deep.IsLoadImperfect());
    }
    EXPECT_TRUE(log.Contains("CProjectSettings::LoadFromStream - WARNING: project.xml nests elements deeper than 64 "
                             "levels; not read."));
    // Self-closing tags, comments and CDATA do not nest.
    std::string flat = "<measurements/><!--" + std::string(100, '<') + "--><images>";
    for (int i = 0; i < 1000; ++i)
        flat += "<image/><![CDATA[<a><a>]]>";
    CProjectSettings wide;
    // The images lack their names and are dropped, but the document is read.
    EXPECT_EQ(wide.LoadFromBytes(Project(flat + "</images>")), EProjectLoadResult::kImperfect);
}

TEST(ProjectXmlReadTest, OversizedDocumentIsRefused)
{
    CLogCapture log;
    std::string text = Project("<measurements/>");
    text.insert(text.size() - 10, CProjectSettings::kMaxDocumentBytes + 1 - text.size(), ' ');
    CProjectSettings project;
    EXPECT_EQ(project.LoadFromBytes(text), EProjectLoadResult::kUnreadable);
    EXPECT_TRUE(log.ContainsPart("bytes exceeds the limit of 67108864 bytes; not read."));

    text.erase(text.size() - 11, 1);
    CProjectSettings atLimit;
    EXPECT_EQ(atLimit.LoadFromBytes(text), EProjectLoadResult::kComplete);

    // A stream claiming a huge length is refused before anything is allocated or read.
    CMemoryStream stream(Project("<measurements/>"));
    stream.ClaimLength(std::uint64_t(1) << 40);
    CProjectSettings fromStream;
    EXPECT_EQ(fromStream.LoadFromStream(stream), EProjectLoadResult::kUnreadable);
    EXPECT_EQ(stream.GetPosition(), 0u);
}

TEST(ProjectXmlReadTest, ViewsByElementNameAndViewFailures)
{
    CLogCapture log;
    CProjectSettings project;
    const std::string text = Project(
        "<measurements/><views><VAHzTHDGraph/><SummaryGraph/><fooView/>" + std::string(kReportView) +
        "</reportView><projectManagerView><DataSet><Data Collapsed=\"0\" Name=\"n\" Description=\"\" Notes=\"\">"
        "<auxData index=\"2\" ratio=\"1\" offset=\"0\" unit=\"\"/></Data></DataSet></projectManagerView></views>");
    EXPECT_EQ(project.LoadFromBytes(text), EProjectLoadResult::kComplete);
    // VAHzTHDGraph is view 4's element name; its empty element fails to read.
    EXPECT_EQ(project.GetViewSettings(4), nullptr);
    EXPECT_EQ(project.GetViewSettings(0), nullptr);
    EXPECT_NE(project.GetViewSettings(10), nullptr);
    EXPECT_EQ(project.GetViewSettings(9), nullptr);
    EXPECT_TRUE(log.Contains("CProjectSettings::ImportViewSettings - WARNING: failure to load basic view settings."));
    EXPECT_TRUE(log.Contains("CProjectManagerSettings::ImportAuxSetting - WARNING: wrong value 2for attribute index"));
    EXPECT_TRUE(log.Contains("CProjectSettings::ImportFromXml ends with failure."));

    CProjectSettings badReport;
    badReport.LoadFromBytes(Project("<measurements/><views><reportView/></views>"));
    EXPECT_TRUE(log.Contains("CProjectSettings::ImportViewSettings - WARNING: failure to load report view settings."));
}

TEST(ProjectXmlReadTest, DemandCostTablesBecomeMissingTariffs)
{
    CProjectSettings source;
    CBasicViewSettings demand(1);
    demand.SetPresent(true);
    demand.m_costTables = {{"USD", 0.5, 0.25, false}, {"EUR", 2.0, 0.0, true}};
    source.SetViewSettings(1, &demand);
    CProjectManagerSettings manager = MakeFullProjectManager();
    manager.m_dataSets[1].energyCosts.Reset();
    source.SetViewSettings(9, &manager);

    CProjectSettings read;
    read.LoadFromBytes(source.SaveToBytes());
    const auto* readManager = dynamic_cast<const CProjectManagerSettings*>(read.GetViewSettings(9));
    ASSERT_NE(readManager, nullptr);
    EXPECT_EQ(readManager->m_dataSets[0].energyCosts, manager.m_dataSets[0].energyCosts);
    const CEnergyCosts& carried = readManager->m_dataSets[1].energyCosts;
    EXPECT_TRUE(carried.IsEnabled());
    EXPECT_EQ(carried.GetCurrency(), "EUR");
    EXPECT_EQ(carried.GetCostFwd(), 2.0f);
    EXPECT_EQ(carried.GetRatioCount(), 0);
    EXPECT_FALSE(readManager->m_dataSets[3].energyCosts.IsEnabled());
}

TEST(ProjectXmlReadTest, BookmarkKeepsOnlyItsOwnView)
{
    CProjectSettings source;
    const CBasicViewSettings view2 = MakeFullViewSettings(2);
    const CBasicViewSettings view5 = MakeFullViewSettings(5);
    source.SetViewSettings(2, &view2);
    source.SetViewSettings(5, &view5);
    CProjectSettings project;
    project.AddMeasurement("f", "s");
    project.AddBookmark(7, "cal", "b.png", CHighTime(1), &source, nullptr);
    EXPECT_NE(project.GetBookmark(0).GetViewSettings(5), nullptr);
    CProjectSettings read;
    read.LoadFromBytes(project.SaveToBytes());
    ASSERT_EQ(read.GetBookmarkCount(), 1);
    EXPECT_NE(read.GetBookmark(0).GetViewSettings(2), nullptr);
    EXPECT_EQ(read.GetBookmark(0).GetViewSettings(5), nullptr);
}
