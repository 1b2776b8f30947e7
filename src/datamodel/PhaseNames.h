#pragma once
// The phase texts of one voltage reference of a session: five voltage texts (phases 0..2,
// neutral, ground) such as "L12" or "AN", and five current texts such as "L1" or "A". A phase
// whose text is empty is absent for that kind of quantity.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <array>

class CMeasurementConfig;

class CPhaseNames
{
public:
    static constexpr int kPhaseCount = 5;

    // Empty texts, reference 0.
    CPhaseNames() = default;
    // Reference 1 phase-to-phase, 2 phase-to-neutral, 3 phase-to-ground (0 = the default one),
    // from the names of the phases in the user's region (CRegionPrefs::LoadPhaseNames).
    CPhaseNames(int voltageReference, const CMeasurementConfig& config, const std::array<CString, kPhaseCount>& names);

    // The voltage (first) and current (second) text of phase 0..4; empty for any other phase.
    const CString& GetFirstNameSlot(int phase) const;
    const CString& GetSecondNameSlot(int phase) const;
    // Set when this is the configuration's default reference: captions then carry no suffix
    // naming the reference.
    BYTE GetNamingFlag() const { return m_namingFlag; }

    int GetVoltageReference() const { return m_voltageReference; }
    int GetTopology() const { return m_topology; }
    int GetStudyType() const { return m_studyType; }

private:
    int m_voltageReference = 0;
    int m_topology = 0;
    int m_studyType = 0;
    std::array<CString, kPhaseCount> m_voltageTexts;
    std::array<CString, kPhaseCount> m_currentTexts;
    BYTE m_namingFlag = 0;
};
