#pragma once
// The document's number formatter: keeps, per session (data set index 0..3) and display
// interval, the scale of every quantity shown, turns values into text with the unit prefix and
// decimals chosen from the data and the user's decimal separator, and parses numbers typed
// with that separator.
#include "datamodel/SeriesSummaries.h"
#include "datamodel/ValueScale.h"
#include "platform/framework/CString.h"
#include "platform/framework/UserLocale.h"
#include "platform/framework/WinTypes.h"
#include "datamodel/SValueFormat.h"

#include <array>
#include <map>
#include <span>
#include <vector>

class CDataItemTrend;

// What a view shows of one quantity: the quantity, its table and the phases 0..5 drawn.
struct SValueScaleSelection
{
    DWORD quantity = 0;
    bool energyTable = false;
    std::array<bool, 6> phases{};
    const CDataItemTrend* item = nullptr; // the trend item the selection is drawn from
};

// The decimals of an aux input's values under the user's scaling of that full scale (its gain):
// four less the digits of the scale before the point, never fewer than 0.
int UserScaleDecimals(double fullScale);

class CValueFormatter
{
public:
    static constexpr int kGroupCount = 4;

    // Reads the prefix texts from the string table and the decimal separator from the user locale.
    CValueFormatter();

    const CString& GetDecimalSeparator() const { return m_locale.decimalSeparator; }

    // Fixed-point text with trailing zeros removed, the user's separator and the suffix appended.
    CString FormatNumber(double value, int decimals, const CString& suffix = CString()) const;
    // Fixed-point text with the user's separator; negative decimals show six as printf does.
    CString FormatFixed(double value, int decimals) const;

    // The scale of a quantity for a value. With keep the choice is the one all views share
    // (taken from the registered range and stored); without it the value alone decides. False
    // (and an empty scale) when the quantity has no entry.
    bool GetValueFormat(int group, DWORD quantity, bool energyTable, int interval, double value, bool keep,
                        SValueFormat& format);
    // Value and unit text with the shared scale; an empty value text when not finite.
    bool FormatValue(int group, DWORD quantity, bool energyTable, int interval, double value, CString& valueText,
                     CString& unitText);
    // As FormatValue, but with the scale chosen for the reference magnitude alone.
    bool FormatValueForMagnitude(int group, DWORD quantity, bool energyTable, int interval, double value,
                                 double reference, CString& valueText, CString& unitText);
    // The quantity's own default scale with the prefix chosen for the reference magnitude: the
    // same text whatever views registered before, as the session's data alone decides it.
    void FormatWithDefaultScale(DWORD quantity, double value, double reference, CString& valueText,
                                CString& unitText) const;

    // The entry's unit text, without and with the shared prefix; -1 (empty text) without entry.
    int GetScaleUnitText(int group, DWORD quantity, bool energyTable, int interval, CString& unitText) const;
    int GetPrefixedUnitText(int group, DWORD quantity, bool energyTable, int interval, CString& unitText);

    void RegisterRange(int group, int interval, DWORD quantity, bool energyTable, float minimum, float maximum);
    // The scale entry with its registered range; null when the quantity has none there.
    const SValueScaleEntry* FindScaleEntry(int group, DWORD quantity, bool energyTable, int interval) const;
    // Registers the range of the selected phases of the item unless the quantity has a scale.
    void ComputeScaleFromData(const SValueScaleSelection& selection, const CDataItemTrend& item);
    // The same for several selections, each of its own item: their series are summarised in one
    // walk over the records.
    void ComputeScalesFromData(std::span<const SValueScaleSelection> selections);
    // The series those scales are taken from, of the selections whose quantity has no scale yet.
    std::vector<SSeriesRequest> SeriesToScale(std::span<const SValueScaleSelection> selections) const;
    // The scale with the largest divisor among the selections (each computed first); -1 when
    // no selection had a scale.
    int GetCommonScale(std::span<const SValueScaleSelection> selections, SValueFormat& format);

    // User scaling of an aux input with its full scale, offset and unit text; only for a quantity
    // already registered at the recorded interval.
    void SetScaleEntry(int group, DWORD quantity, double fullScale, double offset, const CString& unitText);
    // The full-scale value of the apparent power quantities 54 and 55.
    void SetApparentPowerScale(int group, double value);
    // Forgets a deleted session: the later sessions move down by one.
    void RemoveGroup(int group);

private:
    struct SGroup
    {
        SValueScaleBlock recorded;
        std::map<int, SValueScaleBlock> intervals;
    };

    const SValueScaleBlock* FindBlock(int group, int interval) const;
    SValueScaleBlock* FindBlock(int group, int interval);
    SValueScaleEntry* FindEntry(int group, DWORD quantity, bool energyTable, int interval);
    // Entry of the recorded-interval main table, for the user scalings.
    SValueScaleEntry* FindRecordedEntry(int group, DWORD quantity);
    SValueFormat ScaleOf(SValueScaleEntry& entry, const SValueScaleBlock::Table& table, double value, bool keep) const;
    bool FormatWith(int group, DWORD quantity, bool energyTable, int interval, double value, double magnitude,
                    bool keep, CString& valueText, CString& unitText);

    std::array<SGroup, kGroupCount> m_groups;
    std::array<CString, 4> m_prefixTexts; // by prefix index: none, mega, kilo, milli
    CUserLocale m_locale; // the user's, with a usable decimal separator
};
