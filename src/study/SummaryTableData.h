#pragma once
// What a study table shows of one session: up to five quantity rows, each with Max, Min and Avg
// of four phase columns, and the session summary text; and the record range the values were
// computed over.
#include "datamodel/HighTime.h"
#include "datamodel/QuantityInfo.h"
#include "datamodel/RecordRange.h"
#include "datamodel/TrendAccess.h"
#include "platform/framework/CString.h"
#include "study/StatisticsRecord.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

// A time that stands for no time (shown as an empty cell).
inline CHighTime NullTime()
{
    CHighTime time;
    time.SetStatus(CHighTime::null);
    return time;
}

inline constexpr int kStatMin = 0;
inline constexpr int kStatAvg = 1;
inline constexpr int kStatMax = 2;

// The range of one session's values: the whole session (selected 0) or the records between the
// graph's time-range markers (selected 1).
struct SSelectedTimeRange
{
    STrendAccessSpec accessSpec;
    SRecordRange records;
    std::uint8_t selected = 0;

    friend bool operator==(const SSelectedTimeRange&, const SSelectedTimeRange&) = default;
};

struct SSummaryTableEntry
{
    SQuantitySelector selector;
    float value = std::numeric_limits<float>::quiet_NaN();
    int sign = 0; // power factors: +1 inductive, -1 capacitive, 0 unknown
    CHighTime time = NullTime(); // of Max and Min: the record of the extreme; else null
    SStatisticsRecord quality;
    std::uint8_t available = 0;
    std::uint8_t totalContribution = 0; // a phase value that only adds to the total: not shown
};

struct SSummaryTableCell
{
    static constexpr int kMax = 0;
    static constexpr int kMin = 1;
    static constexpr int kAvg = 2;
    std::array<SSummaryTableEntry, 3> entries; // Max, Min, Avg
};

struct SSummaryTableRow
{
    static constexpr int kPhaseSlots = 4; // L1, L2, L3, total
    CString title;
    std::uint32_t quantity = 121;
    std::uint8_t recordKind = 0;
    std::array<CString, kPhaseSlots> phaseNames;
    std::array<SSummaryTableCell, kPhaseSlots> cells;
};

struct structSummaryTableData
{
    static constexpr int kRowCount = 5;

    CString name;
    std::uint8_t hidden = 0;
    int topology = -1;
    std::array<SSummaryTableRow, kRowCount> rows;
    float nominalVoltage = 0.0f;
    int nominalTopology = 0;
    CString summaryText;
    int displayInterval = 0; // seconds the values are shown at (0: as recorded), for their units

    // Everything but the name back to a fresh block.
    void Reset();
};

// A bookmark's nominal voltage of one session, handed to a table view (message 0x435).
struct SNominalVoltageRecord
{
    float voltage = 0.0f;
    int topology = 0; // 0 phase to neutral, 1 phase to phase
};

// The session blocks of a table view, one per session of the document.
using SummaryBlocks = std::vector<std::unique_ptr<structSummaryTableData>>;
