#pragma once
// Summaries of float fields of one record list, taken record by record: the fields are read as
// the record holds them, eight neighbouring floats at a time, and folded into their summaries side
// by side, so that a pass over the records costs little more than reading them. The figures are
// those of SSeriesSummary::Add value by value in record order.
#include "datamodel/SeriesSummary.h"
#include "datamodel/TrendSeries.h"

#include <cstdint>
#include <span>
#include <vector>

// The running figures of the fields in groups of eight lanes: each group reads eight floats of
// the record from its offset, a field in the lane at its place; a lane that holds no field reads
// as 0 and its figures are never written back.
struct SFieldFolds
{
    static constexpr std::size_t kLanes = 8;
    struct SGroup
    {
        std::uint32_t offset; // of the first lane in the record
        bool divided;         // a lane has a divisor
        // Its bytes lie within every record; otherwise only the fields' own bytes are read.
        bool whole;
        // Its values are handed on: they are kept in `rows` as they are folded.
        bool captured;
    };
    std::vector<SGroup> groups;
    // Per lane of every group.
    std::vector<std::int32_t> masks; // all bits set for a lane that holds a field
    std::vector<float> divisors;     // 1 where none
    std::vector<int> finite;
    std::vector<double> sum;
    std::vector<double> squares;
    std::vector<float> minimum;
    std::vector<float> maximum;
    std::vector<int> minimumRecord;
    std::vector<int> maximumRecord;
    std::vector<std::size_t> lines; // an offset in each cache line the groups read
    // The values of the records folded together, record by record, group by group (those of the
    // groups captured).
    std::vector<float> rows;
    // Values handed on as they are read: the lane `slot` of record i goes to to[i - first], first
    // being the first record of the Add() that reads it.
    struct SCapture
    {
        std::size_t slot;
        float* to;
    };
    std::vector<SCapture> captures;
    int first = 0;
    // The lanes of the block folded last that met a value that is not finite: left as they were.
    std::vector<std::size_t> pending;
};

class CFieldSummaries
{
public:
    // The value of field k (its float divided by its divisor) goes to summaries[k], which must
    // outlive this object. A capture {k, to} also writes the value of field k at record i to
    // to[i - first], first being the first record of the Add() that reads it.
    struct SFieldCapture
    {
        std::size_t field;
        float* to;
    };
    CFieldSummaries(const CDataTable& records, std::span<const CTrendSeries::SField> fields,
                    std::span<SSeriesSummary* const> summaries, std::span<const SFieldCapture> captures = {});
    CFieldSummaries(const CFieldSummaries&) = delete;
    CFieldSummaries& operator=(const CFieldSummaries&) = delete;
    // Writes the figures back to the summaries.
    ~CFieldSummaries();

    // Records first .. last, in record order from one call to the next.
    void Add(int first, int last);

private:
    void Store(std::size_t k) const;
    void Load(std::size_t k);

    const CDataTable& m_records;
    std::vector<CTrendSeries::SField> m_fields;
    std::vector<SSeriesSummary*> m_summaries;           // field by field
    std::vector<std::size_t> m_slots;                   // the lane of each field
    std::vector<std::size_t> m_slotFields;              // the field of each lane that holds one
    SFieldFolds m_folds;
};
