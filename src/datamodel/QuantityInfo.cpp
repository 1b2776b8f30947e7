#include "datamodel/QuantityInfo.h"

#include "datamodel/IntervalText.h"
#include "datamodel/MeasurementConfig.h"

namespace
{
constexpr unsigned kTotalTextId = 5363;
constexpr unsigned kStatisticTextIds[] = {8037, 8039, 8038}; // Min, Avg, Max
constexpr unsigned kVoltText = 8050;
constexpr unsigned kAmpText = 8051;
constexpr unsigned kVoltRmsText = 8052;
constexpr unsigned kPercentText = 8054;
constexpr unsigned kAmpRmsText = 8055;
constexpr int kLoadStudy = 2;

CString Loaded(unsigned id)
{
    CString text;
    text.LoadString(id);
    return text;
}

const SQuantityDescriptor* Find(DWORD id, std::span<const SQuantityDescriptor> table)
{
    return FindQuantityDescriptor(id, table.data(), table.size());
}

bool IsPhase0To4(int phase)
{
    return phase >= 0 && phase <= 4;
}
} // namespace

CQuantityInfo::CQuantityInfo(const CMeasurementConfig& config, std::array<CString, 2> sessionAuxUnits)
    : m_config(config), m_sessionAuxUnits(std::move(sessionAuxUnits))
{
}

const SQuantityDescriptor* CQuantityInfo::FindDescriptor(DWORD id) const
{
    return Find(id, m_config.IsLoggerLayout() ? QuantityTableB() : QuantityTableA());
}

const SQuantityDescriptor* CQuantityInfo::FindEnergyDescriptor(DWORD id) const
{
    return Find(id, m_config.IsLoggerLayout() ? QuantityTableB2() : QuantityTableA2());
}

const SQuantityDescriptor* CQuantityInfo::Select(DWORD id, bool energySubset)
{
    if (m_selected && m_selected->id == id && m_selectedFromSubset == energySubset)
        return m_selected;
    m_selected = energySubset ? FindEnergyDescriptor(id) : FindDescriptor(id);
    m_selectedFromSubset = energySubset;
    return m_selected;
}

DWORD CQuantityInfo::GetId() const
{
    return m_selected ? m_selected->id : 0;
}

DWORD CQuantityInfo::GetNameId() const
{
    return m_selected ? m_selected->nameId : 0;
}

int CQuantityInfo::GetUnitScale() const
{
    return m_selected ? UnitScaleOfKind(m_selected->unitKind) : 1;
}

const SQuantityDescriptor* CQuantityInfo::RowFor(DWORD id) const
{
    if (m_selected && m_selected->id == id)
        return m_selected;
    return FindDescriptor(id);
}

bool CQuantityInfo::PassesPhaseCheck(const SQuantityDescriptor& row, int phase, const CPhaseNames& names) const
{
    const bool loadStudy = names.GetStudyType() == kLoadStudy;
    const bool hasVoltage = IsPhase0To4(phase) && !names.GetFirstNameSlot(phase).IsEmpty();
    const bool hasCurrent = IsPhase0To4(phase) && !names.GetSecondNameSlot(phase).IsEmpty();
    switch (row.check)
    {
    case kCheckNone:
        return true;
    case kCheckVoltage:
        return !loadStudy && hasVoltage;
    case kCheckCurrent:
        return hasCurrent;
    case kCheckPower:
        return !loadStudy && (phase == kTotalPhase || (hasVoltage && hasCurrent));
    case kCheckPowerLoadStudy:
        return loadStudy && (phase == kTotalPhase || (hasVoltage && hasCurrent));
    case kCheckFrequency:
        return phase == 0;
    case kCheckUnbalance:
        return phase == kTotalPhase && !IsSinglePhaseTopology(names.GetTopology());
    }
    return false;
}

bool CQuantityInfo::IsAvailable(const SQuantitySelector& selector, int voltageReference) const
{
    const SQuantityDescriptor* row = RowFor(selector.quantity);
    if (!row)
        return false;
    if (selector.phase < 0 || selector.phase > kTotalPhase || (row->phaseMask & (1u << selector.phase)) == 0)
        return false;
    if (!PassesPhaseCheck(*row, selector.phase, m_config.GetPhaseNames(voltageReference)))
        return false;
    if (selector.statistic < 0 || selector.statistic > 2 || (row->flags & (1u << selector.statistic)) == 0)
        return false;
    if (row->predicate == kPredicateTotalAvgOnly)
        return IsTotalAvgOnly(selector.phase, selector.statistic);
    return true;
}

bool CQuantityInfo::IsPhaseAvailable(int phase) const
{
    if (!m_selected)
        return false;
    const int reference = m_config.GetDefaultVoltageReference();
    return IsAvailable({m_selected->id, phase, 0}, reference) || IsAvailable({m_selected->id, phase, 2}, reference);
}

bool CQuantityInfo::HasPhaseTotal(const SQuantitySelector& selector) const
{
    const SQuantityDescriptor* row = RowFor(selector.quantity);
    return row && m_config.IsLoggerLayout() && m_config.IsPhaseToPhaseDefault() && row->group == kGroupPower &&
           selector.phase >= 0 && selector.phase <= 2 && (row->phaseMask & (1u << kTotalPhase)) != 0;
}

bool CQuantityInfo::IsOffered(int phase) const
{
    if (!m_selected)
        return false;
    const SQuantitySelector average{m_selected->id, phase, 1};
    return (IsPhaseAvailable(phase) || IsAvailable(average, m_config.GetDefaultVoltageReference())) &&
           !HasPhaseTotal(average);
}

int CQuantityInfo::PhaseGroupOf(const SQuantityDescriptor& row) const
{
    if (row.id == 2 && m_config.GetStudyType() == kLoadStudy)
        return kGroupCurrent;
    return int(row.group);
}

int CQuantityInfo::GetPhaseGroup() const
{
    return m_selected ? PhaseGroupOf(*m_selected) : 0;
}

CString CQuantityInfo::GetPhaseText(const SQuantitySelector& selector, int voltageReference) const
{
    if (selector.phase == kTotalPhase)
        return Loaded(kTotalTextId);
    const SQuantityDescriptor* row = RowFor(selector.quantity);
    const CPhaseNames& names = m_config.GetPhaseNames(voltageReference);
    if (row && PhaseGroupOf(*row) == kGroupVoltage)
        return names.GetFirstNameSlot(selector.phase);
    return names.GetSecondNameSlot(selector.phase);
}

CString CQuantityInfo::GetUnitText(const CString& defaultText) const
{
    return m_selected ? UnitTextOf(*m_selected, defaultText) : defaultText;
}

CString CQuantityInfo::UnitTextOf(const SQuantityDescriptor& row, const CString& defaultText) const
{
    if (row.unitId == kNoUnitStringId)
        return defaultText;
    CString unit;
    if (row.id == 51 || row.id == 52)
    {
        const bool first = row.id == 51;
        unit = m_sessionAuxUnits[first ? 0 : 1];
        if (unit.IsEmpty())
            unit = first ? m_config.GetAux1Unit() : m_config.GetAux2Unit();
    }
    if (unit.IsEmpty())
        unit = Loaded(row.unitId);
    return unit.IsEmpty() ? defaultText : unit;
}

CString CQuantityInfo::GetAxisUnitText(std::optional<int> mode) const
{
    const DWORD id = GetId();
    if (m_selected && mode)
    {
        const int m = *mode;
        auto byMode = [m](unsigned rms, unsigned plain) {
            switch (m)
            {
            case 0: return Loaded(rms);
            case 1: return Loaded(plain);
            case 2: return Loaded(kPercentText);
            default: return CString();
            }
        };
        if (id == 3 || id == 23 || id == 24)
            return byMode(kVoltRmsText, kVoltText);
        if (id == 4 || id == 25 || id == 26)
            return byMode(kAmpRmsText, kAmpText);
        if (id == 100)
            return Loaded(m == 2 ? kPercentText : kVoltText);
    }
    return GetUnitText(CString());
}

CString CQuantityInfo::GetName(const SQuantitySelector& selector, int voltageReference, const CString& unitText) const
{
    const SQuantityDescriptor* row = RowFor(selector.quantity);
    if (!row)
        return CString();
    CString name;
    if ((row->flags & kFlagNameIsPhase) == 0)
    {
        name = Loaded(row->nameId);
        if (row->flags & kFlagNameWithStatistic)
        {
            if (selector.statistic >= 0 && selector.statistic <= 2)
                name += " " + Loaded(kStatisticTextIds[selector.statistic]);
            name += " [" + (unitText.IsEmpty() ? UnitTextOf(*row, "1") : unitText) + "]";
        }
        if (row->flags & kFlagNameWithPhase)
            name += " ";
    }
    if (row->flags & (kFlagNameWithPhase | kFlagNameIsPhase))
        name += GetPhaseText(selector, voltageReference);
    return name;
}

CString CQuantityInfo::BuildCaption(const SQuantitySelector& selector, int voltageReference, int harmonicOrder,
                                    int averagingInterval) const
{
    CString caption = GetName(selector, voltageReference, CString());
    const DWORD id = selector.quantity;
    if (id == 3 || id == 4 || id == 24 || id == 26)
        caption.AppendFormat(" H%02d", harmonicOrder);
    else if (id == 23 || id == 25)
        caption.AppendFormat(" H%02dSG", harmonicOrder);
    if (id == 0 && !m_config.GetPhaseNames(voltageReference).GetNamingFlag())
    {
        static constexpr const char* kSuffixes[] = {" (P2P)", " (P2N)", " (P2G)"};
        const int reference = m_config.ResolveVoltageReference(voltageReference);
        if (reference >= 1 && reference <= 3)
            caption += kSuffixes[reference - 1];
    }
    if (averagingInterval != 0 && DWORD(averagingInterval) != m_config.GetAveragingInterval())
        caption += " (" + FormatIntervalText(averagingInterval) + ")";
    return caption;
}
