#include "report/ReportBaseUDS.h"

bool CReportBaseUDS::GetValue(const CString& column, CString& value)
{
    if (m_row < 0 || m_row >= GetRowCount())
        return false;
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i] == column)
        {
            value = GetCell(m_row, int(i));
            return true;
        }
    return false;
}

CString CReportBaseUDS::GetFields() const
{
    CString fields;
    for (const CString& column : m_columns)
        fields += column + "\n";
    return fields;
}
