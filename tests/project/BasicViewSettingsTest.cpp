#include <gtest/gtest.h>

#include <clocale>

#include "project/BasicViewSettings.h"
#include "project/ViewTableLookup.h"
#include "support/LogCapture.h"
#include "project/ViewSettingsTestUtil.h"
#include "project/XmlTestUtil.h"

namespace
{
constexpr const char* kImport = "CBasicViewSettings::ImportFromXml";

std::string Export(const CViewSettings& settings)
{
    XmlDocument doc;
    XmlNode* root = doc.allocate_node(rapidxml::node_element, "views");
    doc.append_node(root);
    settings.ExportToXml(CViewSettings::GetViewElementName(settings.GetViewId()), doc, *root);
    return PrintXml(doc);
}

// Imports the first child of a "views" document into a fresh object of the view.
bool Import(CBasicViewSettings& settings, const std::string& views)
{
    ParsedXml xml(views);
    return settings.ImportFromXml(xml.Root() ? xml.Root()->first_node() : nullptr);
}

// The view element of a full export with one child element replaced (or removed with "").
std::string ReplaceElement(const std::string& text, const std::string& name, const std::string& replacement)
{
    const std::size_t start = text.find("<" + name);
    std::size_t end = text.find("</" + name + ">", start);
    end = end == std::string::npos ? text.find("/>", start) + 2 : end + name.size() + 3;
    return text.substr(0, start) + replacement + text.substr(end);
}
} // namespace

TEST(ViewTableTest, NamesAndIds)
{
    EXPECT_EQ(FindViewIdByViewName("SummaryGraph"), 0);
    EXPECT_EQ(FindViewIdByElementName("summaryView"), 0);
    EXPECT_EQ(FindViewIdByViewName("VAHzTHDGraph"), 4);
    EXPECT_EQ(FindViewIdByElementName("VAHzTHDGraph"), 4);
    EXPECT_EQ(FindViewIdByElementName("VAHzTHDLoadStudyGraph"), 8);
    EXPECT_EQ(FindViewIdByViewName("LoadStudyVAHzTHDGraph"), 8);
    EXPECT_EQ(FindViewIdByElementName("reportView"), 10);
    // Each lookup searches its own column only, letter case included.
    EXPECT_EQ(FindViewIdByViewName("demandView"), -1);
    EXPECT_EQ(FindViewIdByElementName("DemandGraph"), -1);
    EXPECT_EQ(FindViewIdByElementName("summaryview"), -1);
    EXPECT_STREQ(CViewSettings::GetViewElementName(7), "fundamentalPowerLoadStudyView");
    EXPECT_STREQ(CViewSettings::GetViewName(9), "ProjectManager");
    EXPECT_EQ(CViewSettings::GetViewName(11), nullptr);
    EXPECT_EQ(CViewSettings::GetSettingsType(9), CViewSettings::kProjectManager);
    EXPECT_EQ(CViewSettings::GetSettingsType(10), CViewSettings::kReportView);
    for (int id = 0; id <= 8; ++id)
        EXPECT_EQ(CViewSettings::GetSettingsType(id), CViewSettings::kStudyView);
}

// Export, import, export again: the same bytes for every study view, with every field set.
class StudyViewRoundTrip : public ::testing::TestWithParam<int>
{
};

TEST_P(StudyViewRoundTrip, ExportImportExportIsByteIdentical)
{
    const int viewId = GetParam();
    const CBasicViewSettings original = MakeFullViewSettings(viewId);
    const std::string first = Export(original);
    CBasicViewSettings read(viewId);
    ASSERT_TRUE(Import(read, first)) << first;
    EXPECT_EQ(Export(read), first);

    EXPECT_TRUE(read.IsPresent());
    EXPECT_EQ(read.m_upperPlot, original.m_upperPlot);
    EXPECT_EQ(read.m_setWorkingHours, original.m_setWorkingHours);
    EXPECT_EQ(read.m_workingHours, original.m_workingHours);
    EXPECT_EQ(read.m_workingDays, original.m_workingDays);
    EXPECT_EQ(read.m_notes, original.m_notes);
    EXPECT_EQ(read.m_collStates, original.m_collStates);
    EXPECT_EQ(read.m_toolbarEdit, original.m_toolbarEdit);
    EXPECT_EQ(read.m_tableCollapse, original.m_tableCollapse);
    EXPECT_EQ(read.m_customColors, original.m_customColors);
    EXPECT_EQ(read.m_mainViewSplitterAActiveRow, 1);
    if (!CViewSettings::IsCalendarView(viewId)) {
        EXPECT_EQ(read.m_sessions, original.m_sessions);
        EXPECT_EQ(read.m_channels, original.m_channels);
        EXPECT_EQ(read.m_aux, original.m_aux);
        EXPECT_EQ(read.m_isMaxMin, original.m_isMaxMin);
        EXPECT_EQ(read.m_isLimit, original.m_isLimit);
        EXPECT_EQ(read.m_isIndCap, original.m_isIndCap);
        EXPECT_EQ(read.m_limits, original.m_limits);
        EXPECT_EQ(read.m_timeRange, original.m_timeRange);
        EXPECT_EQ(read.m_xAxisScaling, original.m_xAxisScaling);
        EXPECT_EQ(read.m_typeTimeRange, -1);
        EXPECT_EQ(read.m_RefAxis, 3);
        // Cumulative values belong to the Demand view alone.
        const std::array<bool, 3> noCumulative{};
        EXPECT_EQ(read.m_isCumulative, CViewSettings::IsDemandView(viewId) ? original.m_isCumulative : noCumulative);
    } else {
        EXPECT_EQ(read.m_sessions, (std::array<bool, 4>{}));
        EXPECT_EQ(read.m_thumbSelections, original.m_thumbSelections);
        EXPECT_EQ(read.m_calendarViewGranularity, 2);
    }
    if (CViewSettings::IsLoadStudyView(viewId))
        EXPECT_EQ(read.m_nominalVoltages, original.m_nominalVoltages);
    else
        EXPECT_TRUE(read.m_nominalVoltages.empty());
    if (CViewSettings::IsDemandView(viewId)) {
        EXPECT_EQ(read.m_costTables, original.m_costTables);
        EXPECT_EQ(read.m_demandPeriod, 900);
        EXPECT_TRUE(read.m_useTrendDataForDemand);
    } else {
        EXPECT_TRUE(read.m_costTables.empty());
    }

    // A clone exports the same.
    EXPECT_EQ(Export(*read.Clone()), first);
}

INSTANTIATE_TEST_SUITE_P(AllStudyViews, StudyViewRoundTrip, ::testing::Range(0, 9));

TEST(BasicViewSettingsTest, WhatEachViewKindWrites)
{
    const std::string summary = Export(MakeFullViewSettings(0));
    const std::string calendar = Export(MakeFullViewSettings(2));
    const std::string loadSummary = Export(MakeFullViewSettings(5));
    const std::string demand = Export(MakeFullViewSettings(1));
    for (const char* element : {"<sessions", "<channels", "<limits", "<LSOPressedTab", "<TimeRange", "<XAxisScaling",
                                "<RefAxis", "<checkTimeRange", "<typeTimeRange"}) {
        EXPECT_NE(summary.find(element), std::string::npos) << element;
        EXPECT_EQ(calendar.find(element), std::string::npos) << element;
    }
    EXPECT_NE(calendar.find("<CalendarViewThumbSelected index=\"0\" row=\"2\" col=\"5\" session=\"1\" thumb=\"3\"/>"),
              std::string::npos);
    EXPECT_NE(calendar.find("<CalendarViewThumbSelected index=\"1\" row=\"0\" col=\"4\"/>"), std::string::npos);
    EXPECT_EQ(summary.find("EstimatedPowerNominalVoltage"), std::string::npos);
    EXPECT_NE(loadSummary.find("<EstimatedPowerNominalVoltage index=\"0\" value=\"398.37\" topology=\"0\" "
                               "nominalX=\"230\" topologyX=\"0\"/>"),
              std::string::npos);
    EXPECT_NE(loadSummary.find("<EstimatedPowerNominalVoltage index=\"2\" value=\"120\" topology=\"0\" "
                               "nominalX=\"208\" topologyX=\"1\"/>"),
              std::string::npos);
    EXPECT_EQ(loadSummary.find("<EstimatedPowerNominalVoltage index=\"1\""), std::string::npos); // an entry not set is not written
    EXPECT_EQ(summary.find("demandPeriod"), std::string::npos);
    EXPECT_NE(demand.find("<costTable currencyUnit=\"EUR\" costFwd=\"0.25\" isAdvanced=\"1\"/>"), std::string::npos);
    EXPECT_NE(demand.find("<isCumulative index=\"1\"/>"), std::string::npos);
    {
        // Cumulative flags of other views do not survive an import.
        CBasicViewSettings withCumulative = MakeFullViewSettings(0);
        withCumulative.m_isCumulative = {true, true, true};
        CBasicViewSettings read(0);
        ASSERT_TRUE(Import(read, Export(withCumulative)));
        EXPECT_EQ(read.m_isCumulative, (std::array<bool, 3>{}));
    }
    EXPECT_NE(summary.find("<channel var=\"var1\" phase=\"phaseA\"/>"), std::string::npos);
    EXPECT_NE(summary.find("<channel var=\"aux2\"/>"), std::string::npos);
    EXPECT_NE(summary.find("<limit index=\"4\" value=\"0.1\"/>"), std::string::npos);
    EXPECT_NE(summary.find("<customColor color=\"16744512\" measurementId=\"2\" dataType=\"5\" phase=\"1\" "
                           "mamType=\"0\"/>"),
              std::string::npos);
    EXPECT_NE(summary.find("<customColor color=\"4294967295\"/>"), std::string::npos);
    EXPECT_NE(summary.find("<Data Graph='graph \"1\"' Table=\"table\" TimeRangeTable=\"t\xC3\xA9st\"/>"),
              std::string::npos);

    CBasicViewSettings empty(0);
    empty.SetPresent(true);
    const std::string plain = Export(empty);
    EXPECT_NE(plain.find("<limits/>"), std::string::npos);
    EXPECT_NE(plain.find("<sessions/>"), std::string::npos);
    EXPECT_EQ(plain.find("<notes"), std::string::npos);
    EXPECT_EQ(plain.find("<customColors"), std::string::npos);
}

TEST(BasicViewSettingsTest, FreshObjectWritesNothingAndEmptyElementFailsAtUpperPlot)
{
    CLogCapture log;
    CBasicViewSettings settings(0);
    EXPECT_EQ(Export(settings), "<views/>\n\n");
    EXPECT_FALSE(Import(settings, "<views><summaryView/></views>"));
    EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: fails to parse node upperPlot"));
    EXPECT_TRUE(settings.IsPresent());
    const std::string text = Export(settings);
    for (const char* element : {"<upperPlot>", "<collStates/>", "<SetWorkingHours>0</SetWorkingHours>",
                                "<WorkingHour from=\"0\" to=\"0\"/>", "<toolbarEdit>",
                                "<MainView_SplitterA_ActiveRow>-1</MainView_SplitterA_ActiveRow>"})
        EXPECT_NE(text.find(element), std::string::npos) << element;
    EXPECT_FALSE(settings.ImportFromXml(nullptr));
}

TEST(BasicViewSettingsTest, RequiredAndOptionalElements)
{
    CLogCapture log;
    const std::string full = Export(MakeFullViewSettings(5));
    {
        CBasicViewSettings s(5);
        EXPECT_FALSE(Import(s, ReplaceElement(full, "EstimatedPowerNominalVoltage", "")));
        EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: fails to parse node EstimatedPowerNominalVoltage"));
    }
    {
        CBasicViewSettings s(5);
        EXPECT_FALSE(Import(s, ReplaceElement(full, "RSOPressedTab", "")));
        EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: missing node RSOPressedTab"));
        EXPECT_EQ(s.m_LSOPressedTab, 2); // read before the failure
        EXPECT_EQ(s.m_graphOptionsCollapse, 0);
    }
    {
        // Optional parts may be missing.
        std::string text = ReplaceElement(full, "RefAxis", "");
        text = ReplaceElement(text, "notes", "");
        text = ReplaceElement(text, "tableCollapse", "");
        text = ReplaceElement(text, "MainView_SplitterA_ActiveRow", "");
        text = ReplaceElement(text, "customColors", "");
        log.Clear();
        CBasicViewSettings s(5);
        EXPECT_TRUE(Import(s, text));
        EXPECT_EQ(s.m_RefAxis, 0);
        EXPECT_TRUE(s.m_notes.empty());
        EXPECT_EQ(s.m_mainViewSplitterAActiveRow, -1);
        EXPECT_TRUE(log.Contains("readString - WARNING: missing node/attribute."));
        EXPECT_TRUE(log.Contains("readInt - WARNING: missing node/attribute."));
    }
    {
        const std::string demand = Export(MakeFullViewSettings(1));
        CBasicViewSettings s(1);
        EXPECT_TRUE(Import(s, ReplaceElement(ReplaceElement(demand, "useTrendDataForDemand", ""), "costTables", "")));
        EXPECT_FALSE(s.m_useTrendDataForDemand);
        EXPECT_TRUE(s.m_costTables.empty());
        CBasicViewSettings t(1);
        EXPECT_FALSE(Import(t, ReplaceElement(demand, "demandPeriod", "")));
        EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: missing node demandPeriod"));
    }
    {
        // A calendar view neither needs nor reads the trend-view elements.
        const std::string calendar = Export(MakeFullViewSettings(6));
        CBasicViewSettings s(6);
        EXPECT_TRUE(Import(s, calendar));
        CBasicViewSettings t(6);
        EXPECT_FALSE(Import(t, ReplaceElement(calendar, "CalendarViewThumbSelected", "")));
        EXPECT_TRUE(log.Contains("CBasicViewSettings::ImportCalendarViewThumbSelectedXml - WARNING: "
                                 "pNodeThumbsSelected == NULL"));
    }
}

TEST(BasicViewSettingsTest, DamagedNumbersAreRefusedOneByOneAndTheRestIsRead)
{
    CLogCapture log;
    const std::string full = Export(MakeFullViewSettings(0));
    CBasicViewSettings ok(0);
    EXPECT_TRUE(Import(ok, ReplaceElement(full, "typeTimeRange", "<typeTimeRange>2</typeTimeRange>")));
    EXPECT_EQ(ok.m_typeTimeRange, 2);

    // A span choice out of range, dates and axis ranges that are no numbers or lie beyond the
    // years 100 to 9999, and limits and notes that are not finite: each keeps its default; an
    // axis entry with such a number holds no range at all (its axis keeps its own).
    std::string text = ReplaceElement(full, "typeTimeRange", "<typeTimeRange>6</typeTimeRange>");
    text = ReplaceElement(text, "TimeRange", "<TimeRange from=\"nan\" to=\"41927.5\"/>");
    text = ReplaceElement(text, "XAxisScaling", "<XAxisScaling from=\"41920\" to=\"1e300\"/>");
    text = ReplaceElement(text, "WorkingHour", "<WorkingHour from=\"-inf\" to=\"0.75\"/>");
    text = ReplaceElement(text, "limits", "<limits><limit index=\"1\" value=\"nan\"/><limit index=\"2\" value=\"1e39\"/>"
                                          "<limit index=\"3\" value=\"-1.25\"/></limits>");
    text = ReplaceElement(text, "upperPlot",
                          "<upperPlot><xAxis min=\"nan\" span=\"7\"/><xAxis min=\"41901.5\" span=\"-2\"/>"
                          "<xAxis min=\"2958466\" span=\"1\"/><xAxis min=\"2958465.99\" span=\"0.005\"/>"
                          "<yAxis min=\"-10\" span=\"inf\"/><yAxis min=\"5\" span=\"30\"/><cursor type=\"0\" pos=\"nan\"/>"
                          "<xCursor index=\"2\" pos=\"nan\"/></upperPlot>");
    text = ReplaceElement(text, "notes", "<notes><note name=\"Note 0\" x=\"nan\" y=\"12.5\" reference=\"0\" text=\"t\"/></notes>");
    CBasicViewSettings read(0);
    EXPECT_TRUE(Import(read, text));
    EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: wrong value 6 for node typeTimeRange"));
    EXPECT_TRUE(log.Contains("readDouble - WARNING: wrong value nan"));
    EXPECT_TRUE(log.Contains("readFloat - WARNING: wrong value 1e39"));
    EXPECT_EQ(read.m_typeTimeRange, 0);
    EXPECT_EQ(read.m_timeRange, (SValueRange{0.0, 41927.5}));
    EXPECT_EQ(read.m_xAxisScaling, (SValueRange{41920.0, 0.0}));
    EXPECT_EQ(read.m_workingHours, (SValueRange{0.0, 0.75}));
    EXPECT_EQ(read.m_limits, (std::array<float, 6>{0.0f, 0.0f, 0.0f, -1.25f, 0.0f, 0.0f}));
    ASSERT_EQ(read.m_upperPlot.xAxisCount, 4);
    EXPECT_EQ(read.m_upperPlot.xAxes[0], SAxisRange{});
    EXPECT_EQ(read.m_upperPlot.xAxes[1], SAxisRange{});
    EXPECT_EQ(read.m_upperPlot.xAxes[2], SAxisRange{}); // 1 January 10000
    EXPECT_EQ(read.m_upperPlot.xAxes[3], (SAxisRange{2958465.99, 0.005})); // the evening of 31 December 9999
    ASSERT_EQ(read.m_upperPlot.yAxisCount, 2);
    EXPECT_EQ(read.m_upperPlot.yAxes[0], SAxisRange{});
    EXPECT_EQ(read.m_upperPlot.yAxes[1], (SAxisRange{5.0, 30.0}));
    EXPECT_EQ(read.m_upperPlot.cursors[0].pos, 0.0);
    EXPECT_EQ(read.m_upperPlot.xCursors[0], (SXCursorDetails{2, 0.0}));
    ASSERT_EQ(read.m_notes.size(), 1u);
    EXPECT_EQ(read.m_notes[0].x, 0.0);
    // The values around them are all there, and nothing that is not a number is written back.
    EXPECT_TRUE(read.m_checkTimeRange);
    EXPECT_TRUE(read.m_setWorkingHours);
    EXPECT_EQ(read.m_toolbarEdit, MakeFullViewSettings(0).m_toolbarEdit);
    const std::string written = Export(read);
    for (const char* bad : {"nan", "inf", "1e+300", "1e300"})
        EXPECT_EQ(written.find(bad), std::string::npos) << bad;
}

TEST(BasicViewSettingsTest, NominalVoltagesTheTableRefusesAreNotTakenFromTheFile)
{
    const std::string full = Export(MakeFullViewSettings(5));
    CBasicViewSettings read(5);
    ASSERT_TRUE(Import(read, ReplaceElement(full, "EstimatedPowerNominalVoltage",
                                            "<EstimatedPowerNominalVoltage>"
                                            "<EstimatedPowerNominalVoltage index=\"0\" value=\"0\" topology=\"0\"/>"
                                            "<EstimatedPowerNominalVoltage index=\"1\" value=\"400\" topology=\"0\" "
                                            "nominalX=\"-230\" topologyX=\"0\"/>"
                                            "<EstimatedPowerNominalVoltage index=\"2\" value=\"120\" topology=\"0\" "
                                            "nominalX=\"208\" topologyX=\"1\"/>"
                                            "</EstimatedPowerNominalVoltage>")));
    ASSERT_EQ(read.m_nominalVoltages.size(), 3u);
    EXPECT_FALSE(read.m_nominalVoltages[0].IsSet());
    EXPECT_FALSE(read.m_nominalVoltages[1].IsSet());
    EXPECT_EQ(read.m_nominalVoltages[2].nominalX, 208.0f);
}

TEST(BasicViewSettingsTest, ChannelReader)
{
    CLogCapture log;
    const std::string full = Export(MakeFullViewSettings(0));
    const auto withChannels = [&](const std::string& children) {
        return ReplaceElement(full, "channels", "<channels>" + children + "</channels>");
    };
    CBasicViewSettings s(0);
    EXPECT_TRUE(Import(s, withChannels("<isMaxMin index=\"2\"/><isLimit index=\"1\" value=\"0\"/>"
                                       "<isIndCap index=\"0\" value=\"7\"/><channel var=\"aux1\"/>")));
    EXPECT_TRUE(s.m_isMaxMin[2]);
    EXPECT_FALSE(s.m_isLimit[1]);
    EXPECT_TRUE(s.m_isIndCap);
    EXPECT_TRUE(s.m_aux[0]);

    const std::string reader = "CBasicViewSettings::ImportBasicChannelsFromXml";
    struct Case
    {
        const char* children;
        std::string line;
    };
    for (const Case& c : {Case{"<channel var=\"var6\" phase=\"phaseA\"/>", " - WARNING: wrong value var6 for attribute var"},
                          Case{"<channel var=\"var1\"/>", " - WARNING: missing attribute phase"},
                          Case{"<channel phase=\"phaseA\"/>", " - WARNING: missing attribute var"},
                          Case{"<channel var=\"var2\" phase=\"phaseD\"/>", " - WARNING: wrong value phaseD for attribute phase"},
                          Case{"<isIndCap index=\"1\"/>", " - WARNING: wrong value 1 for attribute index"},
                          Case{"<isCumulative index=\"3\"/>", " - WARNING: wrong value 3 for attribute index"},
                          Case{"<isMaxMin/>", " - WARNING: missing channel attribute index"},
                          Case{"<colour/>", " - WARNING: wrong node colour"}}) {
        log.Clear();
        CBasicViewSettings t(0);
        EXPECT_FALSE(Import(t, withChannels(c.children))) << c.children;
        EXPECT_TRUE(log.Contains(reader + c.line)) << c.children;
        EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: fails to parse node channels"));
    }
}

TEST(BasicViewSettingsTest, ElementReadersRejectBadChildren)
{
    CLogCapture log;
    const std::string full = Export(MakeFullViewSettings(5));
    struct Case
    {
        const char* element;
        const char* replacement;
        const char* line;
    };
    for (const Case& c : {
             Case{"sessions", "<sessions><session index=\"4\"/></sessions>",
                  "CBasicViewSettings::ImportSessionsFromXml - WARNING: wrong value 4 for attribute index"},
             Case{"sessions", "<sessions><sessio index=\"1\"/></sessions>",
                  "CBasicViewSettings::ImportSessionsFromXml - WARNING: non session node sessio"},
             Case{"sessions", "<sessions><session/></sessions>",
                  "CBasicViewSettings::ImportSessionsFromXml - WARNING: missing index attribute "},
             Case{"limits", "<limits><limit index=\"6\" value=\"1\"/></limits>",
                  "CBasicViewSettings::ImportLimitsFromXml - WARNING: wrong value 6 for attribute index"},
             Case{"limits", "<limits><limit index=\"1\"/></limits>",
                  "CBasicViewSettings::ImportLimitsFromXml - WARNING: missing attribute value"},
             Case{"EstimatedPowerNominalVoltage",
                  "<EstimatedPowerNominalVoltage><EstimatedPowerNominalVoltage index=\"0\" value=\"1\" topology=\"2\"/>"
                  "</EstimatedPowerNominalVoltage>",
                  "CBasicViewSettings::ImportEstimatedPowerFromXml - WARNING: wrong value 2 for attribute topology"},
             Case{"EstimatedPowerNominalVoltage",
                  "<EstimatedPowerNominalVoltage><EstimatedPowerNominalVoltage index=\"0\" value=\"1\" topology=\"0\" "
                  "topologyX=\"1\"/></EstimatedPowerNominalVoltage>",
                  "CBasicViewSettings::ImportEstimatedPowerFromXml - WARNING: missing attribute nominalX"},
             Case{"EstimatedPowerNominalVoltage",
                  "<EstimatedPowerNominalVoltage><EstimatedPowerNominalVoltage index=\"0\" value=\"1\" topology=\"0\" "
                  "nominalX=\"1\"/></EstimatedPowerNominalVoltage>",
                  "CBasicViewSettings::ImportEstimatedPowerFromXml - WARNING: missing attribute topologyX"},
             Case{"collStates", "<collStates><collState index=\"10\"/></collStates>",
                  "CBasicViewSettings::ImportCollapseStateFromXml - WARNING: wrong value 10 for attribute index"},
             Case{"TimeRange", "<TimeRange from=\"1\"/>",
                  "CBasicViewSettings::ImportRangeFromXml - WARNING: missing attribute to"},
             Case{"CheckWorkingHour", "<CheckWorkingHour><CheckWorkingHour index=\"7\"/></CheckWorkingHour>",
                  "CBasicViewSettings::ImportWorkingHourXml - WARNING: wrong value 7 for attribute index"},
             Case{"notes", "<notes><note name=\"Note 1\" x=\"1\" y=\"2\" reference=\"0\"/></notes>",
                  "CBasicViewSettings::ImportNotesFromXml - WARNING: missing Note attribute text"},
             Case{"toolbarEdit", "<toolbarEdit/>",
                  "CBasicViewSettings::ImportToolBarEditBoxFromXml - WARNING: missing node Data"},
             Case{"toolbarEdit", "<toolbarEdit><Data Graph=\"\" Table=\"\"/></toolbarEdit>",
                  "CBasicViewSettings::ImportToolBarEditBoxFromXml - WARNING: missing attribute TimeRangeTable"},
             Case{"customColors", "<customColors><customColor phase=\"1\"/></customColors>",
                  "CBasicViewSettings::ImportChannelCustomColorsFromXml - WARNING: missing attribute color"},
         }) {
        log.Clear();
        CBasicViewSettings s(5);
        EXPECT_FALSE(Import(s, ReplaceElement(full, c.element, c.replacement))) << c.replacement;
        EXPECT_TRUE(log.Contains(c.line)) << c.line;
        EXPECT_TRUE(log.Contains(std::string(kImport) + " - WARNING: fails to parse node " + c.element)) << c.element;
    }
}

TEST(BasicViewSettingsTest, WrongTypesAndBadNumbersReadAsTheCLibraryDoes)
{
    const std::string full = Export(MakeFullViewSettings(0));
    std::string text = ReplaceElement(full, "LSOPressedTab", "<LSOPressedTab>abc</LSOPressedTab>");
    text = ReplaceElement(text, "limits", "<limits><limit index=\"1\" value=\"1,5\"/><limit index=\" 2\" value=\"x\"/></limits>");
    text = ReplaceElement(text, "WorkingHour", "<WorkingHour from=\"0.25h\" to=\"\"/>");
    text = ReplaceElement(text, "checkTimeRange", "<checkTimeRange>yes</checkTimeRange>");
    CBasicViewSettings s(0);
    EXPECT_TRUE(Import(s, text));
    EXPECT_EQ(s.m_LSOPressedTab, 0);
    EXPECT_EQ(s.m_limits[1], 1.0f);
    EXPECT_EQ(s.m_limits[2], 0.0f);
    EXPECT_EQ(s.m_workingHours, (SValueRange{0.25, 0.0}));
    EXPECT_FALSE(s.m_checkTimeRange);
}

TEST(BasicViewSettingsTest, NotesAndTheirNames)
{
    const std::string full = Export(MakeFullViewSettings(0));
    CBasicViewSettings s(0);
    ASSERT_TRUE(Import(s, ReplaceElement(full, "notes",
                                         "<notes>"
                                         "<note name=\"Note 3.0.5000.1.2.3\" x=\"1\" y=\"2\" reference=\"1\" text=\"a\"/>"
                                         "<note name=\"Note 2.0.4999.1.2.3.0\" x=\"1\" y=\"2\" reference=\"1\" text=\"b\"/>"
                                         "<note name=\"Note 1.0.5000.0.0.0.0\" x=\"1\" y=\"2\" reference=\"0\" text=\"c\"/>"
                                         "<remark/>"
                                         "<note name=\"Note 4\" x=\"1\" y=\"2\" reference=\"2\" text=\"d\xC0\xAF\"/>"
                                         "</notes>")));
    ASSERT_EQ(s.m_notes.size(), 2u);
    EXPECT_EQ(s.m_notes[0].name, "Note 3.0.5000.1.2.3.0");
    EXPECT_EQ(s.m_notes[1].name, "Note 4");
    EXPECT_EQ(s.m_notes[1].text, "d\xEF\xBF\xBD\xEF\xBF\xBD"); // broken UTF-8 replaced

    // Six numbers and something else: completed once, and the completed name reads back as
    // it was written.
    CBasicViewSettings odd(0);
    ASSERT_TRUE(Import(odd, ReplaceElement(full, "notes",
                                           "<notes><note name=\"Note 1.0.5000.1.2.3.x\" x=\"1\" y=\"2\" "
                                           "reference=\"1\" text=\"e\"/></notes>")));
    ASSERT_EQ(odd.m_notes.size(), 1u);
    EXPECT_EQ(odd.m_notes[0].name, "Note 1.0.5000.1.2.3.0");
    const std::string written = Export(odd);
    CBasicViewSettings again(0);
    ASSERT_TRUE(Import(again, written));
    EXPECT_EQ(Export(again), written);
}

TEST(BasicViewSettingsTest, ThumbSelectionsTakeTheFirstTwoChildren)
{
    const std::string calendar = Export(MakeFullViewSettings(2));
    CBasicViewSettings s(2);
    ASSERT_TRUE(Import(s, ReplaceElement(calendar, "CalendarViewThumbSelected",
                                         "<CalendarViewThumbSelected>"
                                         "<CalendarViewThumbSelected index=\"1\" row=\"1\" col=\"2\"/>"
                                         "<CalendarViewThumbSelected index=\"0\" row=\"3\" col=\"4\" session=\"2\"/>"
                                         "<CalendarViewThumbSelected index=\"0\" row=\"5\" col=\"6\"/>"
                                         "</CalendarViewThumbSelected>")));
    EXPECT_EQ(s.m_thumbSelections[0], (SCalendarThumbSelection{-1, -1, 1, 2}));
    EXPECT_EQ(s.m_thumbSelections[1], (SCalendarThumbSelection{2, -1, 3, 4}));
    // The second bin selected alone comes back as the second, written and read again alike.
    s.m_thumbSelections[0].Clear();
    CBasicViewSettings again(2);
    ASSERT_TRUE(Import(again, Export(s)));
    EXPECT_TRUE(again.m_thumbSelections[0].IsEmpty());
    EXPECT_EQ(again.m_thumbSelections[1], s.m_thumbSelections[1]);
    EXPECT_EQ(Export(again), Export(s));
}

TEST(BasicViewSettingsTest, OutOfRangeSessionReferencesAreDropped)
{
    CLogCapture log;
    CBasicViewSettings original = MakeFullViewSettings(2);
    original.m_upperPlot.xCursors[1].index = -7;
    original.m_thumbSelections[0].session = 9;
    original.m_customColors.push_back({4, 1, 1, 1, 5});
    original.m_customColors.push_back({3, 1, 1, 1, 6});
    CBasicViewSettings s(2);
    ASSERT_TRUE(Import(s, Export(original)));
    EXPECT_EQ(s.m_upperPlot.xCursors[1], SXCursorDetails{});
    EXPECT_TRUE(s.m_thumbSelections[0].IsEmpty());
    ASSERT_EQ(s.m_customColors.size(), 3u);
    EXPECT_EQ(s.m_customColors[2].measurementId, 3);
    const std::string reader = "CBasicViewSettings::DropInvalidIndices - WARNING: ";
    EXPECT_TRUE(log.Contains(reader + "x cursor index -7 out of range, dropped"));
    EXPECT_TRUE(log.Contains(reader + "thumb selection session 9 out of range, dropped"));
    EXPECT_TRUE(log.Contains(reader + "custom colour measurementId 4 out of range, dropped"));

    // The project checks again against its own session count.
    EXPECT_EQ(s.DropInvalidIndices(2), 2); // colours of sessions 2 and 3
    EXPECT_EQ(s.m_customColors.size(), 1u);
    EXPECT_EQ(s.DropInvalidIndices(2), 0);
}

namespace
{
class COtherSettings : public CViewSettings
{
public:
    COtherSettings() : CViewSettings(9) { m_present = true; }
    ESettingsType GetType() const override { return kProjectManager; }
    std::unique_ptr<CViewSettings> Clone() const override { return std::make_unique<COtherSettings>(*this); }
    void ExportToXml(const char*, XmlDocument&, XmlNode&) const override {}
    bool ImportFromXml(const XmlNode*) override { return true; }
};
} // namespace

TEST(BasicViewSettingsTest, CopyFromOnlyTakesStudyViewSettings)
{
    const CBasicViewSettings source = MakeFullViewSettings(1);
    CBasicViewSettings target(3);
    target.CopyFrom(&source);
    EXPECT_EQ(target.GetViewId(), 1);
    EXPECT_EQ(Export(target), Export(source));

    const COtherSettings other;
    target.CopyFrom(&other);
    EXPECT_FALSE(target.IsPresent());
    EXPECT_EQ(target.GetViewId(), 1);
    EXPECT_EQ(target.m_demandPeriod, 900);
}

TEST(BasicViewSettingsTest, FileTextIgnoresACommaDecimalLocale)
{
    const CBasicViewSettings settings = MakeFullViewSettings(1);
    const std::string expected = Export(settings);
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    const std::string underComma = Export(settings);
    CBasicViewSettings read(1);
    const bool imported = Import(read, expected);
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(underComma, expected);
    ASSERT_TRUE(imported);
    EXPECT_EQ(read.m_limits, settings.m_limits);
    EXPECT_EQ(read.m_workingHours, settings.m_workingHours);
}
