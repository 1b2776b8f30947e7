#pragma once
// Entry records of the study-view settings. Per-session entries are indexed by the session's
// position in the project.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

struct SValueRange
{
    double from = 0.0;
    double to = 0.0;

    friend bool operator==(const SValueRange&, const SValueRange&) = default;
};

struct SCalendarThumbSelection
{
    int session = -1;
    int thumb = -1;
    int row = -1;
    int col = -1;

    bool IsEmpty() const { return session < 0 && thumb < 0 && row < 0 && col < 0; }
    void Clear() { *this = SCalendarThumbSelection{}; }

    friend bool operator==(const SCalendarThumbSelection&, const SCalendarThumbSelection&) = default;
};

struct SDemandCostTable
{
    CString currencyUnit;
    double costFwd = 0.0;
    double costRev = 0.0;
    bool isAdvanced = false;

    friend bool operator==(const SDemandCostTable&, const SDemandCostTable&) = default;
};

// Contents of the toolbar edit box in the graph, the overview table and the time-range table.
struct SToolbarEditTexts
{
    CString Graph;
    CString Table;
    CString TimeRangeTable;

    friend bool operator==(const SToolbarEditTexts&, const SToolbarEditTexts&) = default;
};

// A session's nominal voltage override in two forms: as the user entered it for the session's
// configuration (nominalX, topologyX: 1 phase-to-phase, 0 phase-to-neutral) and as derived
// from it (value, topology).
struct SNominalVoltageOverride
{
    float nominalX = 0.0f;
    int topologyX = -1;
    float value = 0.0f;
    int topology = -1;

    bool IsSet() const { return nominalX != 0.0f; }
    void ToConfigurationForm(bool phaseToPhase);
    void FromConfigurationForm(bool phaseToPhase);

    friend bool operator==(const SNominalVoltageOverride&, const SNominalVoltageOverride&) = default;
};

// A channel colour chosen by the user; -1, 121, 6, -1 are the key's wildcard values.
struct SCustomColor
{
    static constexpr int kAnyMeasurement = -1;
    static constexpr int kAnyDataType = 121;
    static constexpr int kAnyPhase = 6;
    static constexpr int kAnyMamType = -1;

    int measurementId = kAnyMeasurement; // session index
    int dataType = kAnyDataType;
    int phase = kAnyPhase;
    int mamType = kAnyMamType;
    COLORREF color = 0;

    friend bool operator==(const SCustomColor&, const SCustomColor&) = default;
};
