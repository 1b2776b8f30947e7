#include "datamodel/PhaseNames.h"

#include "datamodel/MeasurementConfig.h"

namespace {

constexpr int kNeutral = 3;
constexpr int kGround = 4;

// The last character of a name (a whole UTF-8 sequence), as phase-to-phase texts take it.
CString LastCharacter(const CString& name)
{
    int start = name.GetLength() - 1;
    while (start > 0 && (static_cast<unsigned char>(name[start]) & 0xC0) == 0x80)
        --start;
    return start < 0 ? CString() : name.Mid(start);
}

} // namespace

CPhaseNames::CPhaseNames(int voltageReference, const CMeasurementConfig& config,
                         const std::array<CString, kPhaseCount>& names)
    : m_voltageReference(voltageReference), m_topology(config.GetTopology()), m_studyType(config.GetStudyType())
{
    const int defaultReference = config.GetDefaultVoltageReference();
    m_namingFlag = config.ResolveVoltageReference(voltageReference) == defaultReference ? 1 : 0;

    std::array<bool, kPhaseCount> voltage{};
    std::array<bool, kPhaseCount> current{};
    for (int phase = 0; phase < kPhaseCount; ++phase)
        voltage[phase] = current[phase] = phase < config.GetProbeCount();
    if (defaultReference == 1 && voltageReference != 2)
        voltage[kNeutral] = current[kNeutral] = false;
    const auto drop = [&](std::initializer_list<int> phases, bool fromCurrent) {
        for (const int phase : phases) {
            voltage[phase] = false;
            if (fromCurrent)
                current[phase] = false;
        }
    };
    if (m_topology == 0 || (m_topology == 4 && defaultReference == 2)) {
        drop({1, 2}, true);
    } else if (m_topology == 3) {
        drop({2}, true);
    } else if (m_topology == 4) {
        drop({2, 3}, true);
        if (voltageReference == 2)
            drop({0, 1, 2, 3}, false);
    }

    for (int phase = 0; phase < kPhaseCount; ++phase)
        if (current[phase])
            m_currentTexts[phase] = names[phase];

    // In the logger layout the ground is not measured against.
    if (config.IsLoggerLayout() && voltageReference == 3)
        return;
    for (int phase = 0; phase < 3; ++phase) {
        if (!voltage[phase])
            continue;
        const int next = (phase + 1) % 3;
        if (voltageReference == 1 && voltage[next])
            m_voltageTexts[phase] = names[phase] + LastCharacter(names[next]);
        else if (voltageReference == 2)
            m_voltageTexts[phase] = names[phase] + names[kNeutral];
        else if (voltageReference == 3)
            m_voltageTexts[phase] = names[phase] + names[kGround];
    }
    if (voltage[kNeutral])
        m_voltageTexts[kNeutral] = names[kNeutral] + names[kGround];
    if (voltage[kGround])
        m_voltageTexts[kGround] = names[kGround];
}

const CString& CPhaseNames::GetFirstNameSlot(int phase) const
{
    static const CString kNone;
    return phase >= 0 && phase < kPhaseCount ? m_voltageTexts[std::size_t(phase)] : kNone;
}

const CString& CPhaseNames::GetSecondNameSlot(int phase) const
{
    static const CString kNone;
    return phase >= 0 && phase < kPhaseCount ? m_currentTexts[std::size_t(phase)] : kNone;
}
