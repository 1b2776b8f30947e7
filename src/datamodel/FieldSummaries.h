#pragma once
// Summaries of float fields of one record list, taken record by record: each record's fields are
// read together, so its cache lines are fetched once, and folded into their summaries side by
// side. The figures are those of SSeriesSummary::Add value by value in record order.
#include "datamodel/SeriesSummary.h"
#include "datamodel/TrendSeries.h"

#include <cstdint>
#include <span>
#include <vector>

// The running figures of fields, one array per figure so that a record is folded into all at
// once: first the fields with a divisor, then the others, each in the order of their offsets.
struct SFieldFolds
{
    std::vector<std::uint32_t> offsets; // of each field in the record
    std::vector<float> divisors;        // of the first fields, those with a divisor
    std::vector<std::size_t> lines;     // an offset in each cache line the fields lie in
    std::vector<float> values;      // of the record being folded
    std::vector<float> block;       // of the records folded together, record by record
    std::vector<int> finite;
    std::vector<double> sum;
    std::vector<double> squares;
    std::vector<float> minimum;
    std::vector<float> maximum;
    std::vector<int> minimumRecord;
    std::vector<int> maximumRecord;
    // Values handed on as they are read: values[slot] of record i goes to to[i - first], first
    // being the first record of the Add() that reads it.
    struct SCapture
    {
        std::size_t slot;
        float* to;
    };
    std::vector<SCapture> captures;
    int first = 0;
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
    std::vector<SSeriesSummary*> m_summaries; // in the order of SFieldFolds
    SFieldFolds m_folds;
};
