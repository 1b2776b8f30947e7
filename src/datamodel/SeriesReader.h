#pragma once
// Reads one value series by record, a chunk of records per call to its accessor: for walks that
// ask for records in ascending order, now and then skipping some (a chart fed point by point).
#include "datamodel/ITrendChannelAccess.h"

#include <algorithm>
#include <array>

class CSeriesReader
{
public:
    // The series has values for records 0 .. recordCount - 1.
    CSeriesReader(const ITrendChannelAccess& series, int recordCount) : m_series(series), m_recordCount(recordCount) {}

    // No bounds check: the record must lie within the series.
    float operator[](int record)
    {
        if (record < m_first || record >= m_first + m_filled) {
            m_first = record;
            m_filled = std::min(int(m_values.size()), m_recordCount - record);
            m_series.ReadValues(m_first, m_filled, m_values.data());
        }
        return m_values[std::size_t(record - m_first)];
    }

private:
    const ITrendChannelAccess& m_series;
    int m_recordCount;
    int m_first = 0;
    int m_filled = 0;
    std::array<float, 256> m_values;
};
