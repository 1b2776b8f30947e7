#include <gtest/gtest.h>

#include "support/LogCapture.h"
#include "ProjectTestUtil.h"
#include "XmlTestUtil.h"

namespace
{
std::string Export(const CViewSettings& settings)
{
    XmlDocument doc;
    XmlNode* root = XmlAppendElement(doc, doc, "views");
    settings.ExportToXml("view", doc, *root);
    return PrintCompact(*root);
}
} // namespace

TEST(ProjectManagerSettingsTest, ExportOnlyWhenPresentAndOnlyFilledContainers)
{
    CProjectManagerSettings manager;
    EXPECT_EQ(Export(manager), "<views/>");
    manager.SetPresent(true);
    EXPECT_EQ(Export(manager), "<views><view/></views>");
    manager.m_savedScreens = {{1, "S", "n"}};
    manager.m_dataSets.resize(1);
    EXPECT_EQ(Export(manager), "<views><view><DataSet><Data Collapsed=\"0\" Name=\"\" Description=\"\" Notes=\"\" "
                               "AuxOverride=\"0\"/></DataSet><SavedScreen><Data Collapsed=\"1\" Name=\"S\" Notes=\"n\"/>"
                               "</SavedScreen></view></views>");
}

TEST(ProjectManagerSettingsTest, RoundTripAndCopies)
{
    const CProjectManagerSettings manager = MakeFullProjectManager();
    const ParsedXml xml(Export(manager));
    CProjectManagerSettings read;
    ASSERT_TRUE(read.ImportFromXml(xml.Root()->first_node("view")));
    EXPECT_TRUE(read.IsPresent());
    EXPECT_EQ(read.m_summary, manager.m_summary);
    EXPECT_EQ(read.m_dataSets, manager.m_dataSets);
    EXPECT_EQ(read.m_savedScreens, manager.m_savedScreens);

    const std::unique_ptr<CViewSettings> clone = manager.Clone();
    EXPECT_EQ(clone->GetType(), CViewSettings::kProjectManager);
    EXPECT_EQ(Export(*clone), Export(manager));
    CProjectManagerSettings copy;
    copy.CopyFrom(clone.get());
    EXPECT_EQ(copy.m_dataSets, manager.m_dataSets);
    const CReportViewSettings report;
    copy.CopyFrom(&report);
    EXPECT_FALSE(copy.IsPresent());
    EXPECT_EQ(copy.m_dataSets.size(), 4u);
}

TEST(ProjectManagerSettingsTest, EntryAccess)
{
    CProjectManagerSettings manager = MakeFullProjectManager();
    manager.m_dataSets.resize(2);
    EXPECT_EQ(manager.GetDataSetName(5), "");
    EXPECT_EQ(manager.GetDataSetName(-1), "");
    EXPECT_EQ(manager.GetDataSetEntry(2), nullptr);
    EXPECT_EQ(manager.GetSavedScreenName(1), "Screen 2");
    EXPECT_FALSE(manager.RemoveSavedScreenEntry(2));
    EXPECT_TRUE(manager.RemoveSavedScreenEntry(0));
    EXPECT_EQ(manager.GetSavedScreenName(0), "Screen 2");
}

TEST(ProjectManagerSettingsTest, ReadingEntries)
{
    const ParsedXml plain("<view><DataSet><Data Collapsed=\"1\" Name=\"n\" Description=\"d\" Notes=\"\" "
                          "AuxOverride=\"7\"/></DataSet></view>");
    CProjectManagerSettings read;
    ASSERT_TRUE(read.ImportFromXml(plain.Root()));
    ASSERT_EQ(read.m_dataSets.size(), 1u);
    EXPECT_TRUE(read.m_dataSets[0].AuxOverride);
    EXPECT_FALSE(read.m_dataSets[0].auxData[0].overrideFlag);
    EXPECT_FALSE(read.m_dataSets[0].energyCosts.IsEnabled());

    // Texts of one line stored with line breaks read whole on their one line; notes and a
    // session's description keep their lines.
    const ParsedXml broken("<view><Summary><Data Collapsed=\"0\" Client=\"ClientXK\nD2\n\" Location=\"a\r\nb\" "
                           "Description=\"c\nd\"/></Summary><DataSet><Data Collapsed=\"0\" Name=\"n\n1\" "
                           "Description=\"d\n2\" Notes=\"x\ny\"/></DataSet><SavedScreen><Data Collapsed=\"0\" "
                           "Name=\"s\n\n3\" Notes=\"\"/></SavedScreen></view>");
    CProjectManagerSettings joined;
    ASSERT_TRUE(joined.ImportFromXml(broken.Root()));
    EXPECT_EQ(joined.m_summary.at(0).Client, "ClientXK D2 ");
    EXPECT_EQ(joined.m_summary.at(0).Location, "a b");
    EXPECT_EQ(joined.m_summary.at(0).Description, "c d");
    EXPECT_EQ(joined.m_dataSets.at(0).Name, "n 1");
    EXPECT_EQ(joined.m_dataSets.at(0).Description, "d\n2");
    EXPECT_EQ(joined.m_dataSets.at(0).Notes, "x\ny");
    EXPECT_EQ(joined.m_savedScreens.at(0).Name, "s 3");

    CLogCapture log;
    const struct
    {
        const char* text;
        const char* line;
    } failing[] = {
        {"<view><Summary><Data Collapsed=\"0\" Client=\"\" Location=\"\"/></Summary></view>",
         "CProjectManagerSettings::ImportProjectManagerSummaryTablesFromXml - WARNING: missing attribute Description"},
        {"<view><SavedScreen><Entry/></SavedScreen></view>",
         "CProjectManagerSettings::ImportProjectManagerSavedScreenTablesFromXml - WARNING: wrong node Entry"},
        {"<view><DataSet><Data Collapsed=\"0\" Name=\"\" Description=\"\" Notes=\"\"><auxData ratio=\"1\"/></Data>"
         "</DataSet></view>",
         "CProjectManagerSettings::ImportAuxSetting - WARNING: missing attribute index"},
        {"<view><DataSet><Data Collapsed=\"0\" Name=\"\" Description=\"\" Notes=\"\"><auxData index=\"2\"/></Data>"
         "</DataSet></view>",
         "CProjectManagerSettings::ImportFromXml - WARNING: fails to parse node DataSet"},
    };
    for (const auto& test : failing)
    {
        const ParsedXml xml(test.text);
        CProjectManagerSettings settings;
        EXPECT_FALSE(settings.ImportFromXml(xml.Root())) << test.text;
        EXPECT_TRUE(settings.IsPresent());
        EXPECT_TRUE(log.Contains(test.line)) << test.line;
    }
}

namespace
{
const CReportViewSettings& ImportText(CReportViewSettings& settings, const std::string& text)
{
    const ParsedXml xml(text);
    EXPECT_TRUE(settings.ImportFromXml(xml.Root()->first_node()));
    return settings;
}
} // namespace

TEST(ReportViewSettingsTest, ExportAlwaysAndItemsOnlyWhenArranged)
{
    CReportViewSettings report;
    EXPECT_EQ(Export(report), "<views><view><ProjectManagerListCollapsed>0</ProjectManagerListCollapsed>"
                              "<BookmarkListCollapsed>0</BookmarkListCollapsed><SplitterPos>0</SplitterPos></view></views>");
    report.m_items = {{3, 2, 1}};
    report.m_splitterPos = -5;
    const std::string text = Export(report);
    EXPECT_NE(text.find("<SplitterPos>-5</SplitterPos><Item><Item Collapsed=\"1\" Index=\"2\" Type=\"3\"/></Item>"),
              std::string::npos);
    const ParsedXml xml(text);
    CReportViewSettings read;
    ASSERT_TRUE(read.ImportFromXml(xml.Root()->first_node()));
    EXPECT_EQ(read.m_items, report.m_items);
    EXPECT_EQ(read.m_splitterPos, -5);
    EXPECT_TRUE(read.m_itemsArranged);

    // Settings stored for the list's sections alone leave the report to its default list; a
    // report the user emptied stays empty.
    CReportViewSettings sections;
    EXPECT_FALSE(ImportText(sections, Export(CReportViewSettings())).m_itemsArranged);
    CReportViewSettings emptied;
    emptied.m_itemsArranged = true;
    EXPECT_NE(Export(emptied).find("<Item/>"), std::string::npos);
    CReportViewSettings readEmpty;
    EXPECT_TRUE(ImportText(readEmpty, Export(emptied)).m_itemsArranged);
    EXPECT_TRUE(readEmpty.m_items.empty());
}

TEST(ReportViewSettingsTest, ItemRenumbering)
{
    CReportViewSettings report;
    report.m_items = {{1, 0, 0}, {1, 3, 0}, {2, 2, 0}};
    CReportViewSettings refused = report;
    EXPECT_FALSE(refused.RemoveSessionItemIndex(0));
    EXPECT_EQ(refused.m_items, report.m_items);
    EXPECT_TRUE(report.RemoveSessionItemIndex(2));
    EXPECT_EQ(report.m_items, (std::vector<SReportItem>{{1, 0, 0}, {1, 2, 0}, {2, 2, 0}}));
    EXPECT_TRUE(report.RemoveBookmarkItemIndex(0));
    EXPECT_TRUE(report.HasItem(2, 2));
    EXPECT_FALSE(report.HasItem(3, 2));
}

TEST(ReportViewSettingsTest, ReadingFailures)
{
    CLogCapture log;
    const ParsedXml missing("<reportView><ProjectManagerListCollapsed>1</ProjectManagerListCollapsed>"
                            "<SplitterPos>3</SplitterPos></reportView>");
    CReportViewSettings read;
    EXPECT_FALSE(read.ImportFromXml(missing.Root()));
    EXPECT_TRUE(read.IsPresent());
    EXPECT_EQ(read.m_projectManagerListCollapsed, 1);
    EXPECT_TRUE(log.Contains("readInt - WARNING: missing node/attribute."));
    EXPECT_TRUE(log.Contains("CReportViewSettings::ImportFromXml - WARNING: missing node BookmarkListCollapsed"));

    const ParsedXml badItem("<reportView><ProjectManagerListCollapsed/><BookmarkListCollapsed/><SplitterPos/>"
                            "<Item><Item Collapsed=\"0\" Index=\"1\"/></Item></reportView>");
    EXPECT_FALSE(read.ImportFromXml(badItem.Root()));
    EXPECT_TRUE(log.Contains("CReportViewSettings::ImportReportItemTablesFromXml - WARNING: missing attribute Type"));
    EXPECT_TRUE(log.Contains("CReportViewSettings::ImportFromXml - WARNING: fails to parse node Item"));
}
