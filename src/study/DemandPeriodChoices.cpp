#include "study/DemandPeriodChoices.h"

#include "platform/framework/windows/CComboBox.h"

#include <array>
#include <numeric>

namespace {

constexpr std::array<DWORD, 5> kStandardPeriods = {600, 900, 1200, 1800, 3600};
constexpr UINT kDemandBlockText = 8166;  // "demand %s"
constexpr UINT kTrendBlockText = 8167;   // "trend %s"
constexpr UINT kAsLoggedText = 8124;
constexpr UINT kShortestCommonText = 8131;

void AppendBlock(std::vector<SDemandPeriodChoice>& choices, DWORD base, UINT formatId, DWORD flag)
{
    CString format;
    format.LoadString(formatId);
    auto add = [&](const CString& label, DWORD seconds) {
        SDemandPeriodChoice choice;
        choice.text.Format(format, static_cast<const char*>(label));
        choice.value = seconds + flag;
        choices.push_back(choice);
    };
    for (DWORD period : kStandardPeriods)
        if (base != 0 && period % base == 0) {
            CString minutes;
            minutes.Format("%u", unsigned(period / 60));
            add(minutes, period);
        }
    CString asLogged;
    asLogged.LoadString(kAsLoggedText);
    add(asLogged, 0);
    if (base != 0 && !IsStandardDemandPeriod(int(base))) {
        CString shortest;
        shortest.LoadString(kShortestCommonText);
        add(shortest, base);
    }
}

} // namespace

bool IsStandardDemandPeriod(int seconds)
{
    for (DWORD period : kStandardPeriods)
        if (int(period) == seconds)
            return true;
    return false;
}

DWORD CommonIntervalBase(const std::vector<DWORD>& intervals)
{
    DWORD base = 0;
    for (DWORD interval : intervals) {
        if (interval == 0)
            continue;
        base = base == 0 ? interval : std::lcm(base, interval);
    }
    return base;
}

std::vector<SDemandPeriodChoice> BuildDemandPeriodChoices(const std::vector<DWORD>& demandIntervals,
                                                          const std::vector<DWORD>& averagingIntervals)
{
    std::vector<SDemandPeriodChoice> choices;
    AppendBlock(choices, CommonIntervalBase(demandIntervals), kDemandBlockText, 0);
    AppendBlock(choices, CommonIntervalBase(averagingIntervals), kTrendBlockText, kTrendDemandFlag);
    return choices;
}

void FillDemandPeriodCombo(CComboBox& combo, const std::vector<SDemandPeriodChoice>& choices)
{
    combo.ResetContent();
    for (const SDemandPeriodChoice& choice : choices)
        combo.SetItemData(combo.AddString(choice.text), choice.value);
}

bool SelectDemandPeriod(CComboBox& combo, int& demandPeriod, bool& useTrendData)
{
    if (combo.GetCount() == 0)
        return false;
    const DWORD wanted = DWORD(demandPeriod) + (useTrendData ? kTrendDemandFlag : 0);
    int selected = 0;
    for (int i = 0; i < combo.GetCount(); ++i)
        if (DWORD(combo.GetItemData(i)) == wanted)
            selected = i;
    combo.SetCurSel(selected);
    const DWORD value = DWORD(combo.GetItemData(selected));
    demandPeriod = int(value % kTrendDemandFlag);
    useTrendData = value >= kTrendDemandFlag;
    return true;
}
