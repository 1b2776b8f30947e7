#pragma once
// The quantity descriptors as one session sees them: the table family chosen by the
// configuration's layout, availability of a phase and statistic under a voltage reference,
// and the names, units and captions shown in views, reports and exports.
#include "datamodel/QuantityDescriptor.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <array>
#include <optional>

class CMeasurementConfig;
class CPhaseNames;

// A measured value: quantity id, phase 0..5 (5 = total) and statistic 0 Min, 1 Avg, 2 Max.
struct SQuantitySelector
{
    DWORD quantity = 0;
    int phase = 0;
    int statistic = 1;
};

class CQuantityInfo
{
public:
    static constexpr int kTotalPhase = 5;

    // sessionAuxUnits: the user's unit text of the two aux inputs of this session, empty where
    // the session does not replace the logger's scaling.
    explicit CQuantityInfo(const CMeasurementConfig& config, std::array<CString, 2> sessionAuxUnits = {});

    // Table A (older layout) or B (logger layout); the power and energy subset A2 or B2.
    const SQuantityDescriptor* FindDescriptor(DWORD id) const;
    const SQuantityDescriptor* FindEnergyDescriptor(DWORD id) const;
    // Looks the id up in the subset (flag set) or the main table and remembers the row; the
    // remembered row is returned at once when it has the id and came from the same table.
    const SQuantityDescriptor* Select(DWORD id, bool energySubset = false);
    const SQuantityDescriptor* GetSelected() const { return m_selected; }

    // Tests of the selected row; false (or 0) without one.
    DWORD GetId() const;
    DWORD GetNameId() const;
    bool HasMin() const { return HasFlag(kFlagMin); }
    bool HasAvg() const { return HasFlag(kFlagAvg); }
    bool HasMax() const { return HasFlag(kFlagMax); }
    bool HasNoFlag6() const { return m_selected && !HasFlag(kFlag6); }
    bool HasPhaseA() const { return HasPhaseBit(0); }
    bool HasPhaseB() const { return HasPhaseBit(1); }
    bool HasPhaseC() const { return HasPhaseBit(2); }
    bool HasPhaseN() const { return HasPhaseBit(3); }
    bool HasPhaseG() const { return HasPhaseBit(4); }
    bool HasPhaseTotal() const { return HasPhaseBit(5); }
    bool IsEnergyId() const { return IsEnergyIdValue(GetId()); }
    // 1000 for power and energy units, else 1.
    int GetUnitScale() const;

    // Whether the value exists for this configuration under the voltage reference (0 = default).
    bool IsAvailable(const SQuantitySelector& selector, int voltageReference) const;
    // The selected quantity has its minimum or maximum at the phase under the default reference.
    bool IsPhaseAvailable(int phase) const;
    // A phase value that contributes to a total (logger layout, phase-to-phase default).
    bool HasPhaseTotal(const SQuantitySelector& selector) const;
    // Whether the views offer the selected quantity at the phase: it has a value there under the
    // default reference (an energy per interval an average only), and that value is not a
    // phase's share of a total the session shows only as the total (a delta session's P of A).
    bool IsOffered(int phase) const;
    // The row's group; frequency counts as current in a Load study.
    int GetPhaseGroup() const;
    CString GetPhaseText(const SQuantitySelector& selector, int voltageReference) const;
    // The unit of the selected quantity; the default when it has none.
    CString GetUnitText(const CString& defaultText) const;
    // The axis unit of harmonics quantities by display mode (0, 1, 2); else the unit text.
    CString GetAxisUnitText(std::optional<int> mode) const;
    // Name, statistic, unit and phase text by the naming flags; an empty unit text takes the
    // quantity's own (default "1").
    CString GetName(const SQuantitySelector& selector, int voltageReference, const CString& unitText) const;
    // The name plus harmonic order, voltage-reference suffix and a differing interval.
    CString BuildCaption(const SQuantitySelector& selector, int voltageReference, int harmonicOrder,
                         int averagingInterval) const;

private:
    bool HasFlag(DWORD flag) const { return m_selected && (m_selected->flags & flag) != 0; }
    bool HasPhaseBit(int phase) const { return m_selected && (m_selected->phaseMask & (1u << phase)) != 0; }
    // The selected row when it has the id, else the main table's row.
    const SQuantityDescriptor* RowFor(DWORD id) const;
    bool PassesPhaseCheck(const SQuantityDescriptor& row, int phase, const CPhaseNames& names) const;
    int PhaseGroupOf(const SQuantityDescriptor& row) const;
    CString UnitTextOf(const SQuantityDescriptor& row, const CString& defaultText) const;

    const CMeasurementConfig& m_config;
    std::array<CString, 2> m_sessionAuxUnits;
    const SQuantityDescriptor* m_selected = nullptr;
    bool m_selectedFromSubset = false;
};
