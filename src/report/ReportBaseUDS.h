#pragma once
// A user data set of a report: a table of text cells that the engine reads row by row. The
// columns are named when the data set is built; derived classes hold the rows.
#include "platform/framework/CString.h"
#include "platform/reportengine/ReportEvents.h"

#include <array>
#include <vector>

class CReportBaseUDS : public IUserDataSetEvents
{
public:
    // The cell of the current row in the first column of that name (exact comparison); the
    // value is left as it is for an unknown column or a current row outside the rows.
    bool GetValue(const CString& column, CString& value) override;
    bool Eof() override { return m_row >= GetRowCount(); }
    void First() override { m_row = 0; }
    void Next() override { ++m_row; }
    void Prior() override { --m_row; }

    // The column names, each followed by a line feed.
    CString GetFields() const;
    const std::vector<CString>& GetColumns() const { return m_columns; }
    virtual int GetRowCount() const = 0;
    // The cell (row and column within range).
    virtual CString GetCell(int row, int column) const = 0;

protected:
    void AddColumn(const CString& name) { m_columns.push_back(name); }

private:
    int m_row = 0;
    std::vector<CString> m_columns;
};

// Rows of a fixed number of texts, one per column.
template <int N>
class CReportTextRowsUDS : public CReportBaseUDS
{
public:
    using Row = std::array<CString, N>;

    int GetRowCount() const override { return int(m_rows.size()); }
    CString GetCell(int row, int column) const override
    {
        return column < N ? m_rows[std::size_t(row)][std::size_t(column)] : CString();
    }

protected:
    void AddRow(Row row) { m_rows.push_back(std::move(row)); }

private:
    std::vector<Row> m_rows;
};

// One column "Dummy" of empty rows: a band that prints once per row.
class CReportDummyUDS : public CReportTextRowsUDS<1>
{
public:
    explicit CReportDummyUDS(int rowCount)
    {
        AddColumn("Dummy");
        for (int i = 0; i < rowCount; ++i)
            AddRow({});
    }
};
