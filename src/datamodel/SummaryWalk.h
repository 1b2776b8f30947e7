#pragma once
// One walk over a run of records that summarises some series and reads others for its caller:
// series that read fields of the records as they are are summarised record by record (all the
// fields of a record at once), the others chunk by chunk through their accessors, and the
// series read for the caller come in chunk buffers, as a CSeriesPass gives them. A field the
// caller reads, and the two fields of a series signed by another, are taken from the record as
// it is summarised: every record is read once.
#include "datamodel/FieldSummaries.h"
#include "datamodel/SeriesPass.h"
#include "datamodel/SeriesSummary.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

class CSummaryWalk
{
public:
    // Summarises the series' values of the walk's records up to `last` into `summary`, which
    // must outlive the walk.
    void Summarise(const ITrendChannelAccess& series, int last, SSeriesSummary& summary);
    // A series the caller reads in its visit; returns its column of Pass().
    int Read(const ITrendChannelAccess& series, int last);
    const CSeriesPass& Pass() const { return m_pass; }

    // Records first .. last: the summaries, and visit(chunkFirst, count) once per chunk.
    template <class Visit>
    void Walk(int first, int last, Visit&& visit)
    {
        Begin();
        m_pass.Walk(first, last, [&](int chunk, int count) {
            Summarise(chunk, count);
            visit(chunk, count);
        });
        End();
    }
    void Walk(int first, int last)
    {
        Walk(first, last, [](int, int) {});
    }

private:
    struct SFields
    {
        std::vector<CTrendSeries::SField> fields;
        std::vector<SSeriesSummary*> summaries;
        // Further summaries of a field already listed (two channels read it): copied from its
        // summary after the walk.
        std::vector<std::pair<std::size_t, SSeriesSummary*>> copies;
        // Fields the caller reads: the field's index and its column.
        std::vector<std::pair<std::size_t, int>> captures;
        // Summaries of fields only read (nobody asked for them).
        std::vector<std::unique_ptr<SSeriesSummary>> unasked;
    };
    struct SOther
    {
        int column;
        int last;
        SSeriesSummary* summary;
    };
    // A column of values taken from one column with the signs of another.
    struct SSigned
    {
        int values;
        int signs;
        int column;
        int last;
    };

    // The fields of the series' record list up to `last` and the series' index among them (listed
    // when new, with `summary`, or with a summary nobody reads when null); null when the series
    // is not a field of records as they are.
    SFields* FindField(const CTrendSeries* series, int last, SSeriesSummary* summary, std::size_t& index);
    // The column the walk fills with the values of a field up to `last`; -1 when the series is
    // not a field of records as they are.
    int CaptureField(const CTrendSeries* series, int last);
    // The column of a series signed by another, both fields; -1 for any other series.
    int SignedColumn(const ITrendChannelAccess& series, int last);
    void Begin();
    void Summarise(int chunk, int count);
    // Writes the field summaries back and copies them to the fields' further summaries.
    void End();

    CSeriesPass m_pass;
    // The fields of one record list up to one last record.
    std::map<std::pair<const CDataTable*, int>, SFields> m_fields;
    std::vector<SOther> m_others;
    std::vector<SSigned> m_signed;
    std::vector<std::pair<int, std::unique_ptr<CFieldSummaries>>> m_fieldSummaries;
    std::vector<SSeriesSummary*> m_chunkSummaries;
    std::vector<const float*> m_chunkValues;
};
