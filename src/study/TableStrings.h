#pragma once
// String-table ids of the study tables' and graphs' own texts.
#include "platform/framework/CString.h"

namespace tablestr {
inline constexpr unsigned kMax = 10300;
inline constexpr unsigned kAvg = 10301;
inline constexpr unsigned kMin = 10302;
inline constexpr unsigned kLoggingInformation = 10303;
inline constexpr unsigned kInvalidValuesFootnote = 10304;
inline constexpr unsigned kValidValuesHint = 10305;
inline constexpr unsigned kStudyType = 10306;
inline constexpr unsigned kTopology = 10307;
inline constexpr unsigned kStartDate = 10308;
inline constexpr unsigned kEndDate = 10309;
inline constexpr unsigned kDuration = 10310;
inline constexpr unsigned kAveragingInterval = 10311;
inline constexpr unsigned kAveragingIntervalCount = 10312;
inline constexpr unsigned kActivePower = 10313;
inline constexpr unsigned kApparentPower = 10314;
inline constexpr unsigned kReactivePower = 10315;
inline constexpr unsigned kPowerFactor = 10316;
inline constexpr unsigned kDistortionPowerFactor = 10317;
inline constexpr unsigned kVoltage = 10318;
inline constexpr unsigned kCurrent = 10319;
inline constexpr unsigned kFrequency = 10320;
inline constexpr unsigned kThdV = 10321;
inline constexpr unsigned kThdA = 10322;
inline constexpr unsigned kPhaseToNeutral = 10323;
inline constexpr unsigned kPhaseToPhase = 10324;
inline constexpr unsigned kVolt = 10325;
inline constexpr unsigned kPower = 10326;
inline constexpr unsigned kEnergy = 10327;
inline constexpr unsigned kNominalVoltage = 10328;
inline constexpr unsigned kEstimatedApparentPower = 10329;
inline constexpr unsigned kPF = 8306;
inline constexpr unsigned kDPF = 8307;
inline constexpr unsigned kTHD = 8337;
// The cursor readout's abbreviations of inductive and capacitive.
inline constexpr unsigned kInductive = 5738;
inline constexpr unsigned kCapacitive = 5739;
} // namespace tablestr

inline CString LoadTableString(unsigned id)
{
    CString text;
    text.LoadString(id);
    return text;
}
