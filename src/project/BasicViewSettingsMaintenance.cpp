// Keeping a study view's session references and note names right when a session leaves the
// project, the per-session nominal voltage override, and the custom colour table.
#include <algorithm>
#include <array>

#include "datamodel/MeasurementConfig.h"
#include "project/BasicViewSettings.h"

namespace
{
// Characters that tableCollapse and tableTimeRangeCollapse hold per session, by view id.
constexpr std::array<int, 9> kCollapseCharsPerSession{6, 2, 1, 6, 7, 4, 1, 6, 5};

// Load studies carry the nominal voltage overrides.
constexpr int kLoadStudyType = 2;

bool EqualsConfiguration(const SNominalVoltageOverride& entry, const CMeasurementConfig& config)
{
    return entry.nominalX == config.GetNominalVoltage() && entry.topologyX == (config.IsPhaseToPhaseDefault() ? 1 : 0);
}

void RemoveSessionChars(CString& text, int perSession, int session)
{
    const int first = perSession * session;
    if (text.GetLength() <= first)
        return;
    text.Delete(first, perSession);
}
} // namespace

void CBasicViewSettings::RemoveSession(int session)
{
    if (session < 0)
        return;
    const auto index = std::size_t(session);
    if (session < kMaxSessions) {
        std::shift_left(m_sessions.begin() + session, m_sessions.end(), 1);
        m_sessions.back() = false;
    }
    if (index < m_nominalVoltages.size())
        m_nominalVoltages.erase(m_nominalVoltages.begin() + session);
    if (index < m_costTables.size())
        m_costTables.erase(m_costTables.begin() + session);

    if (IsCalendarView(m_viewId)) {
        // Each thumb selection goes together with the x axis of its place.
        std::array<bool, 2> removed{};
        for (std::size_t place = 0; place < m_thumbSelections.size(); ++place) {
            SCalendarThumbSelection& thumb = m_thumbSelections[place];
            removed[place] = thumb.session == session;
            if (thumb.session > session)
                --thumb.session;
        }
        if (removed[0]) {
            m_thumbSelections[0] = removed[1] ? SCalendarThumbSelection{} : m_thumbSelections[1];
            m_upperPlot.xAxes[0] = removed[1] ? SAxisRange{} : m_upperPlot.xAxes[1];
        }
        if (removed[0] || removed[1]) {
            m_thumbSelections[1].Clear();
            m_upperPlot.xAxes[1] = SAxisRange{};
        }
    } else if (session < m_upperPlot.xAxisCount && session < SCurAxisDetails::kMaxXAxes) {
        // Only a session that had an axis gives one up.
        std::shift_left(m_upperPlot.xAxes.begin() + session, m_upperPlot.xAxes.end(), 1);
        m_upperPlot.xAxes.back() = SAxisRange{};
        --m_upperPlot.xAxisCount;
    }

    if (IsStudyView(m_viewId)) {
        const int perSession = kCollapseCharsPerSession[std::size_t(m_viewId)];
        RemoveSessionChars(m_tableCollapse, perSession, session);
        RemoveSessionChars(m_tableTimeRangeCollapse, perSession, session);
    }

    std::erase_if(m_customColors, [&](const SCustomColor& entry) { return entry.measurementId == session; });
    for (SCustomColor& entry : m_customColors)
        if (entry.measurementId > session)
            --entry.measurementId;
}

void CBasicViewSettings::RenumberNotes(int session)
{
    int number = 0;
    for (auto it = m_notes.begin(); it != m_notes.end();) {
        std::array<int, 7> n{};
        const int read = ScanNoteName(it->name, n);
        if (read == 7) {
            if (n[1] == session) {
                it = m_notes.erase(it);
                continue;
            }
            const int newSession = n[1] > session ? n[1] - 1 : n[1];
            it->name.Format("Note %d.%d.%d.%d.%d.%d.%d", number, newSession, n[2], n[3], n[4], n[5], n[6]);
            ++number;
        } else if (read == 1) {
            it->name.Format("Note %d", number);
            ++number;
        }
        ++it;
    }
}

void CBasicViewSettings::SetNominalVoltage(int session, const CMeasurementConfig& config, float nominal,
                                           int topology)
{
    if (session < 0)
        return;
    if (m_nominalVoltages.size() < std::size_t(session) + 1)
        m_nominalVoltages.resize(std::size_t(session) + 1);
    SNominalVoltageOverride& entry = m_nominalVoltages[std::size_t(session)];
    entry.nominalX = nominal;
    entry.topologyX = topology;
    if (EqualsConfiguration(entry, config))
        entry = SNominalVoltageOverride{};
    else if (entry.IsSet())
        entry.FromConfigurationForm(config.IsPhaseToPhaseDefault());
}

void CBasicViewSettings::GetNominalVoltage(int session, const CMeasurementConfig& config, float& nominal,
                                           int& topology) const
{
    if (session >= 0 && std::size_t(session) < m_nominalVoltages.size() &&
        m_nominalVoltages[std::size_t(session)].IsSet()) {
        nominal = m_nominalVoltages[std::size_t(session)].nominalX;
        topology = m_nominalVoltages[std::size_t(session)].topologyX;
        return;
    }
    nominal = config.GetNominalVoltage();
    topology = config.IsPhaseToPhaseDefault() ? 1 : 0;
}

void CBasicViewSettings::ReconcileNominalVoltage(int session, const CMeasurementConfig* config)
{
    if (session < 0 || std::size_t(session) >= m_nominalVoltages.size() || !config)
        return;
    SNominalVoltageOverride& entry = m_nominalVoltages[std::size_t(session)];
    if (config->IsStudyTypeCompatible(kLoadStudyType)) {
        const bool phaseToPhase = config->IsPhaseToPhaseDefault();
        if (!entry.IsSet() && entry.value != 0.0f)
            entry.ToConfigurationForm(phaseToPhase); // a file that holds only the stored form
        else if (entry.IsSet())
            entry.FromConfigurationForm(phaseToPhase);
        if (entry.IsSet() && !EqualsConfiguration(entry, *config))
            return;
    }
    entry = SNominalVoltageOverride{};
}

bool CBasicViewSettings::FindCustomColor(int measurementId, int dataType, int phase, int mamType,
                                         COLORREF& color) const
{
    for (const SCustomColor& entry : m_customColors) {
        if ((entry.measurementId == measurementId || measurementId == SCustomColor::kAnyMeasurement) &&
            (entry.dataType == dataType || dataType == SCustomColor::kAnyDataType) &&
            (entry.phase == phase || dataType == 6) &&
            (entry.mamType == mamType || mamType == SCustomColor::kAnyMamType)) {
            color = entry.color;
            return true;
        }
    }
    return false;
}

SCustomColor* CBasicViewSettings::FindCustomColorExact(int measurementId, int dataType, int phase, int mamType)
{
    for (SCustomColor& entry : m_customColors)
        if (entry.measurementId == measurementId && entry.dataType == dataType && entry.phase == phase &&
            entry.mamType == mamType)
            return &entry;
    return nullptr;
}

void CBasicViewSettings::SetCustomColor(int measurementId, int dataType, int phase, int mamType, COLORREF color)
{
    if (SCustomColor* entry = FindCustomColorExact(measurementId, dataType, phase, mamType))
        entry->color = color;
    else
        m_customColors.push_back(SCustomColor{measurementId, dataType, phase, mamType, color});
}
