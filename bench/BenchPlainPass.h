#pragma once
// The yardstick of the pages' statistics: one pass over records that takes the minimum, the
// maximum and the sum of float fields read straight from the record bytes, with the vectors the
// pages' statistics use where the processor has them (AVX2).
#include "datamodel/DataTable.h"

#include <cstddef>
#include <vector>

// Byte range [first, last) of float fields within a record.
struct SFieldRange
{
    std::size_t first;
    std::size_t last;
};

// Over records first .. last (inclusive); a checksum of the figures.
double PlainPass(const CDataTable& records, const std::vector<SFieldRange>& fields, std::size_t first, std::size_t last);

inline double PlainPass(const CDataTable& records, const std::vector<SFieldRange>& fields)
{
    return records.GetCount() == 0 ? 0.0 : PlainPass(records, fields, 0, std::size_t(records.GetCount()) - 1);
}
