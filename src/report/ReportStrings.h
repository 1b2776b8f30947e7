#pragma once
// The string-table texts of the reports, and the project-manager settings they read.
#include "platform/framework/CString.h"

class CProjectManagerSettings;
class CRecDoc;

inline constexpr unsigned kIdsDateTimeFormat = 8066;   // "dtFmt1 tmFmt1"
inline constexpr unsigned kIdsAmpereUnit = 8051;       // "A"
inline constexpr unsigned kIdsAux1 = 8121;
inline constexpr unsigned kIdsAux2 = 8122;
inline constexpr unsigned kIdsAsLogged = 8130;
inline constexpr unsigned kIdsShortestCommonInterval = 8131;
inline constexpr unsigned kIdsMonday = 8132;           // to 8138 Sunday
inline constexpr unsigned kIdsNotConnected = 8139;
inline constexpr unsigned kIdsDemandPeriod = 8166;     // "demand %s"
inline constexpr unsigned kIdsTrendPeriod = 8167;      // "trend %s"
inline constexpr unsigned kIdsLoadCalendarChannel = 10177; // to 10180
inline constexpr unsigned kIdsCalendarChannel = 10183;     // to 10190
inline constexpr unsigned kIdsGranularity = 10191;         // to 10193
inline constexpr unsigned kIdsTotal = 5363;
inline constexpr unsigned kIdsFirmwareVersion = 27950;
inline constexpr unsigned kIdsDspVersion = 27951;

CString LoadReportString(unsigned id);

// The project manager's settings of the document; null when the project has none.
const CProjectManagerSettings* FindProjectManagerSettings(const CRecDoc& document);
