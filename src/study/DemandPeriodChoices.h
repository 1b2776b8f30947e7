#pragma once
// The demand-period choices of the demand graph's combo box (1222): a block for demand records
// and one for trend records. Each block offers the standard periods that are multiples of the
// least common multiple of the sessions' intervals, "as logged", and that multiple itself when it
// is no standard period.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <vector>

class CComboBox;

inline constexpr UINT kDemandPeriodCombo = 1222;
inline constexpr DWORD kTrendDemandFlag = 65536; // added to an entry of the trend block

struct SDemandPeriodChoice
{
    CString text;
    DWORD value = 0; // seconds, plus kTrendDemandFlag in the trend block
};

// Whether a period in seconds is one of 600, 900, 1200, 1800 and 3600.
bool IsStandardDemandPeriod(int seconds);
// The least common multiple of the intervals that are not 0 (0 when none is).
DWORD CommonIntervalBase(const std::vector<DWORD>& intervals);
// Both blocks from the sessions' demand intervals and averaging intervals.
std::vector<SDemandPeriodChoice> BuildDemandPeriodChoices(const std::vector<DWORD>& demandIntervals,
                                                          const std::vector<DWORD>& averagingIntervals);
void FillDemandPeriodCombo(CComboBox& combo, const std::vector<SDemandPeriodChoice>& choices);
// Selects the entry of the settings' period and source; when none matches, the first entry is
// selected and its period and source are written back. False for an empty list.
bool SelectDemandPeriod(CComboBox& combo, int& demandPeriod, bool& useTrendData);
