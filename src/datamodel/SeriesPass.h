#pragma once
// Walks a run of records for several value series at once. The records go by in chunks; the
// values of a chunk are read into a buffer per series before the visit: the series that read
// fields of the same records straight as they are get them record by record (each record's
// cache lines fetched once, its fields taken together), every other series in one call to its
// accessor. No value costs a call. A column may also be filled by the caller (a walk that reads
// the same records anyway hands the values on).
#include "datamodel/ITrendChannelAccess.h"

#include <algorithm>
#include <cstddef>
#include <vector>

class CDataTable;

class CSeriesPass
{
public:
    // Short enough that the columns a walk fills while it reads the records stay in the
    // processor's nearest cache, beside the records (a few dozen columns of a long chunk each
    // looked to the processor like a stream of its own, and the records were no longer fetched
    // ahead).
    static constexpr int kChunk = 64;

    // Adds a series that has values up to record `last`; returns its column.
    int Add(const ITrendChannelAccess& series, int last);
    // A column the caller fills itself, chunk by chunk, before each visit; returns it.
    int AddFilled();
    // Lays the columns out; their buffers stay where they are until a column is added.
    void Arrange();
    float* ColumnToFill(int k) { return m_buffer.data() + std::size_t(k) * kChunk; }

    // Records first .. last: visit(chunkFirst, count) once per chunk, with Column(k)[i] the value
    // of series k at record chunkFirst + i (for records up to the series' own last one).
    template <class Visit>
    void Walk(int first, int last, Visit&& visit)
    {
        Arrange();
        for (int chunk = first; chunk <= last; chunk += kChunk) {
            const int count = std::min(last - chunk + 1, kChunk);
            ReadChunk(chunk, count);
            visit(chunk, count);
        }
    }
    const float* Column(int k) const { return m_buffer.data() + std::size_t(k) * kChunk; }

private:
    struct SColumn
    {
        const ITrendChannelAccess* series;
        int last;
    };
    struct SFieldColumn
    {
        int column;
        std::size_t offset;
        float divisor;
    };
    // The columns that read fields of one record list.
    struct SFieldGroup
    {
        const CDataTable* records;
        std::vector<SFieldColumn> columns;
        std::vector<std::size_t> lines; // an offset in each cache line the fields lie in
    };

    void ReadChunk(int chunk, int count);

    std::vector<SColumn> m_columns;
    std::vector<SFieldGroup> m_fieldGroups;
    std::vector<int> m_otherColumns;
    std::vector<float> m_buffer;
    bool m_arranged = false;
};
