#pragma once
// CMeasurementConfig: how the logger was set up for one session (wiring topology, study type,
// nominal voltage, intervals, channel ratios, current probes, texts), taken from the session's
// configuration table: type 63 (the logger layout, 740 bytes) or type 3 (the older layout,
// 132 bytes). Every getter answers for both layouts, with fixed values where the older table has
// no field. The tables are kept as host-order images; fields are read by byte offset.
#include "datamodel/HighTime.h"
#include "datamodel/PhaseNames.h"
#include "datamodel/UmboFraming.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <array>

inline constexpr WORD kLoggerConfigTableType = 63;
inline constexpr WORD kOldConfigTableType = 3;
inline constexpr std::size_t kLoggerConfigTableSize = 740;
inline constexpr std::size_t kOldConfigTableSize = 132;

// Topologies 0, 3 and 4 have one phase.
bool IsSinglePhaseTopology(int topology);
// Study types 0 not set, 1 Energy study, 2 Load study: compatible when equal or neither is 2.
bool StudyTypesCompatible(int a, int b);

class CMeasurementConfig
{
public:
    CMeasurementConfig();

    // Takes a type-63 table (host order), or the logger defaults for any other table or null.
    // A table shorter than its layout gives zeros for the fields it lacks.
    void LoadLoggerTable(const Umbo_table_header_t* table);
    // The same for the older type-3 table.
    void LoadOldTable(const Umbo_table_header_t* table);
    const std::array<BYTE, kLoggerConfigTableSize>& GetLoggerTable() const { return m_loggerTable; }

    bool IsLoaded() const { return m_loaded != 0; }
    bool IsLoggerLayout() const { return m_layout == 1; }
    bool IsOlderLayout() const { return !IsLoggerLayout(); }

    int GetTopology() const;
    // String 27901 + topology; empty for 13 and above.
    CString GetTopologyName() const;
    bool HasNeutral() const;
    bool IsSinglePhase() const { return IsSinglePhaseTopology(GetTopology()); }
    // 2 (phase-to-neutral) when the topology has a neutral, else 1 (phase-to-phase).
    int GetDefaultVoltageReference() const { return m_defaultVoltageReference; }
    bool IsPhaseToPhaseDefault() const { return m_defaultVoltageReference == 1; }
    bool IsPhaseToNeutralDefault() const { return m_defaultVoltageReference == 2; }
    // The given reference, or the default one for 0.
    int ResolveVoltageReference(int reference) const;

    int GetStudyType() const;
    // Strings 10145..10147; empty for 3 and above.
    CString GetStudyTypeName() const;
    bool IsStudyTypeCompatible(int studyType) const { return StudyTypesCompatible(GetStudyType(), studyType); }

    float GetNominalVoltage() const;
    // A Load study whose nominal voltage is not 1.0 (NaN counts as not 1.0).
    bool IsLoadStudyWithNominalVoltage() const;

    // Seconds.
    DWORD GetAveragingInterval() const;
    DWORD GetDemandInterval() const;

    // Channels 0..2 (older layout 0..4); 1.0 for any other channel.
    float GetVoltageRatio(int channel) const;
    float GetCurrentRatio(int channel) const;
    float GetVoltageRatio0() const { return GetVoltageRatio(0); }
    float GetCurrentRatio0() const { return GetCurrentRatio(0); }

    int GetProbeCount() const { return IsLoggerLayout() ? 3 : 5; }
    // The probe record's name; older layout: the model name of the channel's probe type
    // (string 5200 + type), "???" for a type of 50 and above or a missing string.
    CString GetProbeName(int channel) const;
    // Amperes; 0.0 for a probe the layout does not have; the older layout answers 1.0.
    float GetProbeRange(int probe) const;
    // The serial number as "%u"; empty for the older layout.
    CString GetProbeSerialText(int probe) const;

    double GetVoltageScale(int channel) const;
    double GetCurrentScale(int channel) const;
    // The power below which a channel counts as idle; channels outside 0..2 give the largest
    // of channels 0..2.
    double GetPowerThreshold(int channel) const;

    float GetForwardEnergyCost() const;
    float GetReverseEnergyCost() const { return 0.0f; }

    CString GetAux1Unit() const;
    CString GetAux2Unit() const;
    CString GetSessionName() const;
    CString GetDescription() const;
    CString GetTimeZoneText() const;

    // A zero CHighTime for the older layout.
    CHighTime GetConfiguredStart() const;
    CHighTime GetConfiguredEnd() const;

    // Reference 1, 2 or 3; the default one for any other.
    const CPhaseNames& GetPhaseNames(int reference) const;
    const CPhaseNames& GetDefaultPhaseNames() const { return GetPhaseNames(m_defaultVoltageReference); }

private:
    void SetLoggerDefaults();
    void SetOldDefaults();
    void BuildPhaseNames();
    // The rated current of a logger-layout channel 0..2 from its own probe record.
    double GetRatedCurrent(int channel) const;
    double GetChannelPowerThreshold(int channel) const;

    BYTE m_loaded = 0;
    BYTE m_layout = 0;
    std::array<BYTE, kOldConfigTableSize> m_oldTable{};
    std::array<BYTE, kLoggerConfigTableSize> m_loggerTable{};
    // Indexed by voltage reference - 1.
    std::array<CPhaseNames, 3> m_phaseNames;
    int m_defaultVoltageReference = 2;
};
