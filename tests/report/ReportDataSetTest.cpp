#include "ReportProjectFixture.h"

#include "report/ReportBaseUDS.h"
#include "report/ReportSessionUDS.h"

#include <gtest/gtest.h>

namespace
{
// The rows of a data set as the engine pulls them.
std::vector<std::vector<CString>> PullRows(CReportBaseUDS& rows)
{
    std::vector<std::vector<CString>> result;
    for (rows.First(); !rows.Eof(); rows.Next())
    {
        std::vector<CString> row;
        for (const CString& column : rows.GetColumns())
        {
            CString value = "untouched";
            rows.GetValue(column, value);
            row.push_back(value);
        }
        result.push_back(row);
    }
    return result;
}

class CTwoColumns : public CReportTextRowsUDS<2>
{
public:
    explicit CTwoColumns(int rows)
    {
        AddColumn("Name");
        AddColumn("ID");
        for (int i = 0; i < rows; ++i)
            AddRow({CString::Formatted("n%d", i), CString::Formatted("%d", i + 1)});
    }
};
} // namespace

TEST(ReportDataSet, RowProtocolAndItsEdges)
{
    CTwoColumns rows(2);
    EXPECT_EQ(rows.GetFields(), "Name\nID\n");
    EXPECT_FALSE(rows.Eof());
    CString value;
    EXPECT_TRUE(rows.GetValue("ID", value));
    EXPECT_EQ(value, "1");
    rows.Next();
    EXPECT_TRUE(rows.GetValue("Name", value));
    EXPECT_EQ(value, "n1");
    value = "kept";
    EXPECT_FALSE(rows.GetValue("name", value)) << "names compare exactly";
    EXPECT_EQ(value, "kept");
    rows.Next();
    EXPECT_TRUE(rows.Eof());
    // Past the last row, or before the first: nothing is read and the value stays.
    EXPECT_FALSE(rows.GetValue("Name", value));
    EXPECT_EQ(value, "kept");
    rows.First();
    rows.Prior();
    EXPECT_FALSE(rows.GetValue("Name", value));
    EXPECT_EQ(value, "kept");

    CTwoColumns empty(0);
    EXPECT_TRUE(empty.Eof());
    CReportDummyUDS dummy(1);
    EXPECT_EQ(dummy.GetFields(), "Dummy\n");
    EXPECT_EQ(PullRows(dummy), (std::vector<std::vector<CString>>{{""}}));
}

TEST(ReportDataSet, SessionProbesAndAuxScaling)
{
    CReportProject project;
    CRecDoc& document = *project.document;

    CReportSessionUDS probes(document, 0, CReportSessionUDS::kCurrentProbes);
    EXPECT_EQ(probes.GetFields(), "Channel\nModel\nRange\nSerial\n");
    auto rows = PullRows(probes);
    ASSERT_EQ(rows.size(), 3u);
    const CMeasurementConfig& config = document.GetDataSet(0)->GetMeasurementConfig();
    for (int phase = 0; phase < 3; ++phase)
    {
        const auto& row = rows[std::size_t(phase)];
        EXPECT_EQ(row[0], phase == 0 ? "A" : phase == 1 ? "B" : "C");
        if (config.GetProbeName(phase).IsEmpty())
            EXPECT_EQ(row, (std::vector<CString>{row[0], "Not connected", "-", "-"}));
        else
        {
            EXPECT_EQ(row[1], config.GetProbeName(phase));
            EXPECT_EQ(row[2], "100A");
            EXPECT_EQ(row[3], config.GetProbeSerialText(phase));
        }
    }

    CReportSessionUDS logged(document, 0, CReportSessionUDS::kAuxSettings);
    rows = PullRows(logged);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<CString>{"Aux1", "1", "0", config.GetAux1Unit()}));
    EXPECT_EQ(rows[1], (std::vector<CString>{"Aux2", "1", "0", config.GetAux2Unit()}));

    SProjectManagerDataSetEntry entry;
    entry.AuxOverride = true;
    entry.auxData[1] = {TRUE, 2.5f, -0.125f, "bar"};
    project.ProjectManager().m_dataSets = {entry};
    rows = PullRows(*std::make_unique<CReportSessionUDS>(document, 0, CReportSessionUDS::kAuxSettings));
    EXPECT_EQ(rows[0][1], "1") << "channel 1 not overridden";
    EXPECT_EQ(rows[1], (std::vector<CString>{"Aux2", "2.5", "-0.125", "bar"}));

    // A data set the document does not have gives the columns and no rows.
    CReportSessionUDS missing(document, 7, CReportSessionUDS::kCurrentProbes);
    EXPECT_TRUE(missing.Eof());
    EXPECT_EQ(missing.GetFields(), "Channel\nModel\nRange\nSerial\n");
}
