#include "datamodel/TrendSeries.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

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

void CTrendSeries::Read(std::size_t first, std::size_t count, float* values) const
{
    switch (m_kind) {
    case EKind::Owned:
        std::memcpy(values, m_values.get() + first, count * sizeof(float));
        return;
    case EKind::Constant:
        std::fill_n(values, count, m_constant);
        return;
    case EKind::Absent:
        std::fill_n(values, count, std::numeric_limits<float>::quiet_NaN());
        return;
    case EKind::Field:
        break;
    }
    // The loop is made once per combination of the two rare cases, so that the common one (no
    // short record, no unit) tests neither per value.
    const auto walk = [&](auto checkLength, auto divide) {
        const std::size_t records = std::size_t(m_records->GetCount());
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t i = first + k;
            if (i + kRunReadAhead < records)
                __builtin_prefetch(m_records->GetRecordBytes(i + kRunReadAhead) + m_offset, 0, 1);
            const BYTE* table = m_records->GetRecordBytes(i);
            if (checkLength && m_offset + sizeof(float) > LoadU16(table, offsetof(Umbo_table_header_t, table_lth))) {
                values[k] = std::numeric_limits<float>::quiet_NaN();
                continue;
            }
            const float value = LoadF32(table, m_offset);
            values[k] = divide ? value / m_divisor : value;
        }
    };
    const bool divide = m_divisor != 1.0f;
    if (m_checkLength)
        divide ? walk(std::true_type{}, std::true_type{}) : walk(std::true_type{}, std::false_type{});
    else
        divide ? walk(std::false_type{}, std::true_type{}) : walk(std::false_type{}, std::false_type{});
}

void CTrendSeries::ReadWritten(std::size_t first, std::size_t count, double* values) const
{
    if (m_kind != EKind::Field) {
        for (std::size_t k = 0; k < count; ++k)
            values[k] = double((*this)[first + k]);
        return;
    }
    const std::size_t records = std::size_t(m_records->GetCount());
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t i = first + k;
        if (i + kRunReadAhead < records)
            __builtin_prefetch(m_records->GetRecordBytes(i + kRunReadAhead) + m_offset, 0, 1);
        values[k] = Written(i);
    }
}

double CTrendSeries::Written(std::size_t i) const
{
    if (m_kind != EKind::Field)
        return double((*this)[i]);
    const BYTE* table = m_records->GetRecordBytes(i);
    if (m_checkLength && m_offset + sizeof(float) > LoadU16(table, offsetof(Umbo_table_header_t, table_lth)))
        return std::numeric_limits<double>::quiet_NaN();
    return double(LoadF32(table, m_offset)) / double(m_divisor);
}

bool CTrendSeries::GetField(SField& field) const
{
    if (m_kind != EKind::Field || m_checkLength)
        return false;
    field = {m_records, m_offset, m_divisor};
    return true;
}
