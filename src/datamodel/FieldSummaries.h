#pragma once
// Summaries of float fields of one record list, taken record by record: each record's fields are
// read together, so its cache lines are fetched once, and folded into their summaries side by
// side. The figures are those of SSeriesSummary::Add value by value in record order.
#include "datamodel/SeriesSummary.h"
#include "datamodel/TrendSeries.h"

#include <span>
#include <vector>

class CFieldSummaries
{
public:
    // The value of field k (its float divided by its divisor) goes to summaries[k], which must
    // outlive this object.
    CFieldSummaries(const CDataTable& records, std::span<const CTrendSeries::SField> fields,
                    std::span<SSeriesSummary* const> summaries);
    CFieldSummaries(const CFieldSummaries&) = delete;
    CFieldSummaries& operator=(const CFieldSummaries&) = delete;
    // Writes the figures back to the summaries.
    ~CFieldSummaries();

    // Records first .. last, in record order from one call to the next.
    void Add(int first, int last);

private:
    void AddFinite(int record);
    void Store(std::size_t k) const;
    void Load(std::size_t k);

    // Fields next to each other with the same divisor, copied from a record at once.
    struct SRun
    {
        std::size_t offset; // in the record
        std::size_t first;  // in m_values
        std::size_t count;
        float divisor;
    };

    const CDataTable& m_records;
    std::vector<SSeriesSummary*> m_summaries; // in the order of the fields' offsets
    std::vector<SRun> m_runs;
    std::vector<std::size_t> m_lines; // an offset in each cache line the fields lie in
    std::vector<float> m_values;      // of the record being folded
    // The running figures, one array per figure so that a record is folded into all at once.
    std::vector<int> m_finite;
    std::vector<double> m_sum;
    std::vector<double> m_squares;
    std::vector<float> m_minimum;
    std::vector<float> m_maximum;
    std::vector<int> m_minimumRecord;
    std::vector<int> m_maximumRecord;
};
