#pragma once
// Summaries of float fields of one record list, taken record by record: each record's fields are
// read together, so its cache lines are fetched once, and folded into their summaries side by
// side. The figures are those of SSeriesSummary::Add value by value in record order.
#include "datamodel/SeriesSummary.h"
#include "datamodel/TrendSeries.h"

#include <span>
#include <vector>

// The running figures of fields in the order of their offsets, one array per figure so that a
// record is folded into all at once.
struct SFieldFolds
{
    // Fields next to each other with the same divisor, copied from a record at once.
    struct SRun
    {
        std::size_t offset; // in the record
        std::size_t first;  // in values
        std::size_t count;
        float divisor;
    };
    std::vector<SRun> runs;
    std::vector<std::size_t> lines; // an offset in each cache line the fields lie in
    std::vector<float> values;      // of the record being folded
    std::vector<int> finite;
    std::vector<double> sum;
    std::vector<double> squares;
    std::vector<float> minimum;
    std::vector<float> maximum;
    std::vector<int> minimumRecord;
    std::vector<int> maximumRecord;
};

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
    void Store(std::size_t k) const;
    void Load(std::size_t k);

    const CDataTable& m_records;
    std::vector<SSeriesSummary*> m_summaries; // in the order of the fields' offsets
    SFieldFolds m_folds;
};
