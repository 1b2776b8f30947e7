#pragma once
// The columns a CSV export can hold: where each value lies in a trend record (table type 64) or a
// demand record (table type 65), which quantity, phase and statistic it is, and its title.
#include <span>

struct SCsvColumn
{
    int offset;    // byte offset of the 32-bit float in the record
    int quantity;  // quantity id
    int phase;     // 0..2 = A..C (AB..CA for line-to-line voltages), 5 = total, 6 = no phase
    int statistic; // 0 = min, 1 = avg, 2 = max
    const char* title;
};

inline constexpr int kCsvPhaseTotal = 5;
inline constexpr int kCsvStatisticMin = 0;
inline constexpr int kCsvStatisticAvg = 1;
inline constexpr int kCsvStatisticMax = 2;

// The 164 trend columns and the 20 demand columns in the order they are written.
std::span<const SCsvColumn> TrendCsvColumns();
std::span<const SCsvColumn> DemandCsvColumns();
