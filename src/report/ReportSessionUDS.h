#pragma once
// The session report's tables: the current probes of a session (kind 0) and the scaling of its
// two aux inputs (kind 1).
#include "report/ReportBaseUDS.h"

class CRecDoc;

using CSessionInfoLine = std::array<CString, 4>;

class CReportSessionUDS : public CReportTextRowsUDS<4>
{
public:
    static constexpr int kCurrentProbes = 0;
    static constexpr int kAuxSettings = 1;

    // Data set `dataSet` of the document; no rows when the document has no such data set.
    CReportSessionUDS(const CRecDoc& document, int dataSet, int kind);

private:
    void AddProbeRows(const CRecDoc& document, int dataSet);
    void AddAuxRows(const CRecDoc& document, int dataSet);
};
