#include "datamodel/TrendSeries.h"

#include <algorithm>
#include <limits>
#include <new>

bool CTrendSeries::Allocate(std::size_t count)
{
    m_values.reset(new (std::nothrow) float[count]);
    if (!m_values) {
        m_kind = EKind::Absent;
        return false;
    }
    std::fill_n(m_values.get(), count, std::numeric_limits<float>::quiet_NaN());
    m_kind = EKind::Owned;
    return true;
}

void CTrendSeries::ReadField(const CDataTable* records, std::size_t offset, float divisor)
{
    m_values.reset();
    m_kind = EKind::Field;
    m_records = records;
    m_offset = offset;
    m_divisor = divisor;
    m_checkLength = offset + sizeof(float) > records->GetShortestLength();
}

void CTrendSeries::SetConstant(float value)
{
    m_values.reset();
    m_kind = EKind::Constant;
    m_constant = value;
}
