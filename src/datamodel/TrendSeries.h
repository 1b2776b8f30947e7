#pragma once
// One value series of a trend item: one float per record. A series the records hold as they
// are (a field of every record, maybe in other units) is read from the records themselves; only
// series the item computes keep floats of their own. A year of one-minute records would
// otherwise be copied once more as some two hundred float arrays.
#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "platform/framework/WinTypes.h"

#include <cstddef>
#include <limits>
#include <memory>

class CTrendSeries
{
public:
    // Absent: no values.
    CTrendSeries() = default;

    // Floats of its own, all NaN; false when they cannot be allocated.
    bool Allocate(std::size_t count);
    // The float at `offset` of each record of the list, divided by `divisor`; NaN where a record
    // is shorter than the field. The list must outlive the series and keep its records.
    void ReadField(const CDataTable* records, std::size_t offset, float divisor = 1.0f);
    // The same value for every record.
    void SetConstant(float value);

    explicit operator bool() const { return m_kind != EKind::Absent; }
    // No bounds check: i must lie within the item's records.
    float operator[](std::size_t i) const
    {
        if (m_kind == EKind::Owned)
            return m_values[i];
        if (m_kind == EKind::Field) {
            // Series are mostly walked forward: the record a few steps on is fetched meanwhile.
            if (i + kReadAhead < std::size_t(m_records->GetCount()))
                __builtin_prefetch(m_records->GetRecordBytes(i + kReadAhead) + m_offset);
            const BYTE* table = m_records->GetRecordBytes(i);
            // The length sits on another cache line than the field: it is read only when some
            // record may be too short.
            if (m_checkLength && m_offset + sizeof(float) > LoadU16(table, offsetof(Umbo_table_header_t, table_lth)))
                return std::numeric_limits<float>::quiet_NaN();
            const float value = LoadF32(table, m_offset);
            return m_divisor == 1.0f ? value : value / m_divisor;
        }
        return m_kind == EKind::Constant ? m_constant : std::numeric_limits<float>::quiet_NaN();
    }
    float operator[](int i) const { return (*this)[std::size_t(i)]; }
    // Values first .. first + count - 1 into `values`, each as the operator above reads it.
    void Read(std::size_t first, std::size_t count, float* values) const;
    // Value i as its record holds it, divided in double precision: sums of many values keep the
    // digits that rounding each to a float would lose. Other series give their float.
    double Written(std::size_t i) const;
    // Values first .. first + count - 1 as Written() gives them.
    void ReadWritten(std::size_t first, std::size_t count, double* values) const;
    // The floats a computed series writes into; null for a series read from the records.
    float* Data() const { return m_values.get(); }

    // Where a series read from the records finds its values, for walks that read many series of
    // the same records record by record.
    struct SField
    {
        const CDataTable* records;
        std::size_t offset;
        float divisor;
    };
    // False unless the series reads a field that every record holds.
    bool GetField(SField& field) const;

private:
    enum class EKind { Absent, Owned, Field, Constant };
    static constexpr std::size_t kReadAhead = 16;
    // A run read at once does little per record: its records are asked for further ahead, into
    // the second-level cache, so that more of them are on their way together (16 ahead into the
    // first left a year's chart feed waiting on nearly every record).
    static constexpr std::size_t kRunReadAhead = 64;

    EKind m_kind = EKind::Absent;
    std::unique_ptr<float[]> m_values;
    const CDataTable* m_records = nullptr;
    std::size_t m_offset = 0;
    float m_divisor = 1.0f;
    bool m_checkLength = true;
    float m_constant = 0.0f;
};
