#include <gtest/gtest.h>

#include "support/LogCapture.h"
#include "project/ViewSettings.h"
#include "project/XmlTestUtil.h"

namespace
{
constexpr const char* kReader = "CViewSettings::ImportCurAxisDetailsFromXml";

std::string Export(const SCurAxisDetails& details)
{
    XmlDocument doc;
    XmlNode* root = doc.allocate_node(rapidxml::node_element, "view");
    doc.append_node(root);
    CViewSettings::ExportCurAxisDetailsToXml(details, "upperPlot", doc, *root);
    return PrintXml(doc);
}

bool Import(SCurAxisDetails& details, const std::string& upperPlot)
{
    ParsedXml xml("<view>" + upperPlot + "</view>");
    return CViewSettings::ImportCurAxisDetailsFromXml(details, xml.Child("upperPlot"));
}

SCurAxisDetails FullDetails()
{
    SCurAxisDetails d;
    d.cursorCount = 3;
    d.cursors = {{{0, 41926.5, 0.0}, {2, 41926.25, 41927.75}, {3, -1.5, 2.125}}};
    d.xCursors = {{{4, 41926.0416666}, {-1, 0.0}}};
    d.xAxisCount = 4;
    for (int i = 0; i < 4; ++i)
        d.xAxes[std::size_t(i)] = {41900.0 + i, 7.5 + i};
    d.yAxisCount = 12;
    for (int i = 0; i < 12; ++i)
        d.yAxes[std::size_t(i)] = {-100.0 * i, 0.125 * (i + 1), i % 3 == 1}; // some scaled by the user
    return d;
}
} // namespace

TEST(CurAxisDetailsTest, FullRecordSurvivesARoundTripByteIdentically)
{
    const SCurAxisDetails original = FullDetails();
    const std::string first = Export(original);
    SCurAxisDetails read;
    ASSERT_TRUE(Import(read, first.substr(first.find("<upperPlot"), first.find("</view>") - first.find("<upperPlot"))));
    EXPECT_EQ(read, original);
    EXPECT_EQ(Export(read), first);
}

TEST(CurAxisDetailsTest, WriterFormsAndOrder)
{
    SCurAxisDetails d;
    d.cursorCount = 1;
    d.cursors[0] = {1, 0.5, 9.0}; // an x limit marker: pos2 is not written
    d.xAxisCount = 1;
    d.xAxes[0] = {1.0 / 3.0, 2.0};
    const std::string text = Export(d);
    EXPECT_EQ(text,
              "<view>\n"
              "\t<upperPlot>\n"
              "\t\t<xAxis min=\"0.3333333333333333\" span=\"2\"/>\n"
              "\t\t<cursor type=\"1\" pos=\"0.5\"/>\n"
              "\t\t<xCursor index=\"-1\" pos=\"0\"/>\n"
              "\t\t<xCursor index=\"-1\" pos=\"0\"/>\n"
              "\t</upperPlot>\n"
              "</view>\n\n");
}

TEST(CurAxisDetailsTest, ReaderLimitsAndRequiredAttributes)
{
    CLogCapture log;
    SCurAxisDetails d;
    d.xCursors[0] = {3, 1.5};
    d.cursorCount = 2;
    EXPECT_TRUE(Import(d, "<upperPlot/>"));
    EXPECT_EQ(d.cursorCount, 0);
    EXPECT_EQ(d.xCursors[0].index, 3); // x cursors keep their values until overwritten

    EXPECT_FALSE(CViewSettings::ImportCurAxisDetailsFromXml(d, nullptr));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: pNodeCurAxis == NULL"));

    std::string axes;
    for (int i = 0; i < 5; ++i)
        axes += "<xAxis min=\"1\" span=\"2\"/>";
    EXPECT_FALSE(Import(d, "<upperPlot>" + axes + "</upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: too many XAxises:4"));
    EXPECT_EQ(d.xAxisCount, 4); // what was read before the failure stays

    EXPECT_FALSE(Import(d, "<upperPlot><yAxis min=\"1\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: missing YAxis attribute span"));
    EXPECT_TRUE(log.Contains("readDouble - WARNING: missing node/attribute."));

    EXPECT_TRUE(Import(d, "<upperPlot><cursor type=\"1\" pos=\"2\"/></upperPlot>"));
    EXPECT_FALSE(Import(d, "<upperPlot><cursor type=\"2\" pos=\"2\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: missing cusor attribute pos2"));
    EXPECT_FALSE(Import(d, "<upperPlot><cursor type=\"4\" pos=\"2\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: wrong value 4for cursor attribute type"));
    EXPECT_FALSE(Import(d, "<upperPlot><cursor pos=\"2\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: missing cursor attribute type"));
    EXPECT_FALSE(Import(d, "<upperPlot><cursor type=\"0\" pos=\"1\"/><cursor type=\"0\" pos=\"1\"/>"
                           "<cursor type=\"0\" pos=\"1\"/><cursor type=\"0\" pos=\"1\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: too many cursors:3"));

    // Kinds may come in any order; a third x cursor is one too many.
    EXPECT_TRUE(Import(d, "<upperPlot><xCursor index=\"1\" pos=\"5\"/><xAxis min=\"1\" span=\"2\"/></upperPlot>"));
    EXPECT_EQ(d.xCursors[0], (SXCursorDetails{1, 5.0}));
    EXPECT_FALSE(Import(d, "<upperPlot><xCursor index=\"1\" pos=\"5\"/><xCursor index=\"2\" pos=\"6\"/>"
                           "<xCursor index=\"3\" pos=\"7\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: too many xcursors:2"));
    EXPECT_FALSE(Import(d, "<upperPlot><xCursor pos=\"5\"/></upperPlot>"));
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: missing xcusor attribute index"));
}

TEST(CurAxisDetailsTest, UnknownChildIsSkipped)
{
    CLogCapture log;
    SCurAxisDetails d;
    EXPECT_TRUE(Import(d, "<upperPlot><zAxis min=\"1\"/>text<yAxis min=\"1\" span=\"2\"/></upperPlot>"));
    EXPECT_EQ(d.yAxisCount, 1);
    EXPECT_TRUE(log.Contains(std::string(kReader) + " - WARNING: Unknown node zAxis"));
}
