#pragma once
// The time axis of one record series: begin and end time of each record, the interval, and the
// plot points with gap markers. A raw block belongs to its data set; a grouped block (records
// joined into complete runs of a fixed multiple) belongs to the trend cache.
#include "datamodel/HighTime.h"
#include "datamodel/TrendAccess.h"
#include "platform/framework/WinTypes.h"

#include <utility>
#include <vector>

class CDataSet;
class CDataTable;
class CMeasurementConfig;

// One plot point; a gap marker has record index -1. Half a million of them make a year of
// one-minute records: a point holds what the chart reads and no more.
struct STrendTimePoint
{
    double date; // the time as an OLE date, for the chart
    int record;
};

class CTrendTimeBlock
{
public:
    // First and last base record of a grouped record, both inclusive.
    using Group = std::pair<int, int>;

    // A raw block over the data set's record list (table type 15, 61, 64 or 65).
    CTrendTimeBlock(const CDataSet* dataSet, const CDataTable* records, const CMeasurementConfig* config);
    // The base block's records grouped by `multiple` (a multiple below 1 is taken as 1).
    CTrendTimeBlock(const CTrendTimeBlock& base, DWORD multiple);
    CTrendTimeBlock(const CTrendTimeBlock&) = delete;
    CTrendTimeBlock& operator=(const CTrendTimeBlock&) = delete;

    const CDataSet* GetDataSet() const { return m_dataSet; }
    const CDataTable* GetRecordList() const { return m_records; }
    const CMeasurementConfig* GetConfig() const { return m_config; }
    WORD GetTableType() const { return m_tableType; }
    const STrendAccessSpec& GetAccessSpec() const { return m_spec; }

    int GetRecordCount() const { return m_recordCount; }
    // The null time outside 0 .. count - 1.
    const CHighTime& GetBeginTime(int i) const;
    const CHighTime& GetEndTime(int i) const;
    // The time a record stands for: its begin time (its end time in time mode 1).
    const CHighTime& GetTime(int i) const;
    const CHighTime& GetFirstTime() const { return m_firstTime; }
    const CHighTime& GetLastTime() const { return m_lastTime; }
    int GetIntervalSeconds() const { return m_intervalSeconds; }
    const CHighTimeSpan& GetInterval() const { return m_interval; }
    const std::vector<Group>& GetGroups() const { return m_groups; }
    const std::vector<STrendTimePoint>& GetPoints() const { return m_points; }
    int GetPointCount() const { return int(m_points.size()); }

    // The record at the time, with a tolerance of 1 ms at both ends; -1 in a gap or outside.
    int FindRecordAt(const CHighTime& time) const;
    // Intervals missing between records i and j (their aligned times' distance in intervals
    // beyond j - i); 0 when none, for an index outside the records, or without an interval.
    int CountMissingIntervals(int i, int j) const;
    // The records of a list and the intervals missing between its first and its last, as the raw
    // block over it counts them (GetRecordCount(), CountMissingIntervals(0, count - 1)), read from
    // the list's two ends without building the block.
    static std::pair<int, int> CountListRecords(const CDataTable& records, const CMeasurementConfig& config);
    // The time floored to the block's interval in the local calendar.
    CHighTime AlignTime(const CHighTime& time) const;
    // The part of the interval that record i covers: 1 for a full record, 0 outside.
    double GetDurationFraction(int i) const;

private:
    void SetInterval(LONGLONG seconds);
    // The intervals missing between two aligned times `steps` records apart.
    static int MissingBetween(const CHighTime& first, const CHighTime& last, int steps, int intervalSeconds);
    void GroupRecords(const CTrendTimeBlock& base, int multiple);
    void BuildPoints();
    // Allocation failure: code 46 is shown and the block keeps no records.
    void ReportAllocationFailure();

    const CDataSet* m_dataSet = nullptr;
    const CDataTable* m_records = nullptr;
    WORD m_tableType = 0;
    STrendAccessSpec m_spec;
    const CMeasurementConfig* m_config = nullptr;
    int m_timeMode = 0;
    int m_intervalSeconds = 0;
    CHighTimeSpan m_interval;
    CHighTimeSpan m_shortLimit; // a record shorter than this did not last its interval
    CHighTime m_firstTime;
    CHighTime m_lastTime;
    CHighTime m_nullTime;
    int m_recordCount = 0;
    std::vector<CHighTime> m_beginTimes;
    std::vector<CHighTime> m_endTimes;
    std::vector<STrendTimePoint> m_points;
    std::vector<Group> m_groups;
    // The last range CountMissingIntervals answered: every cell of a table asks for the same one,
    // and each answer asks the system's time zone twice.
    mutable std::pair<int, int> m_missingRange{-1, -1};
    mutable int m_missingInRange = 0;
};
