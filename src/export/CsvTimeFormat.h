#pragma once
// The record times of a CSV export: in UTC, in the computer's local time, or in the session's own
// time zone taken from the Boost.Date_Time zone table beside the program. The name of the zone
// the times are written in heads the time columns.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <boost/date_time/local_time/local_time.hpp>

#include <filesystem>
#include <string>

class CCsvTimeFormat
{
public:
    enum class EMode
    {
        Utc,
        Local,
        SessionZone,
    };

    // The zone table file beside the program.
    static constexpr const char* kZoneTableName = "date_time_zonespec.csv";

    // sessionZone: the session's zone region ("Europe/Berlin"), read only in SessionZone mode.
    // A session zone that the table does not hold, or a missing table, makes the times UTC,
    // labelled so, with the reason logged.
    CCsvTimeFormat(EMode mode, const CString& sessionZone, const std::filesystem::path& zoneTable);

    const std::string& GetZoneName() const { return m_zoneName; }

    // Appends "YYYY-MM-DD hh:mm:ss" (followed by " " and the zone's abbreviation in SessionZone
    // mode) for a FILETIME count of 100-ns units since 1601; nothing for a count outside the
    // years 1601..9999.
    void Append(std::string& out, ULONGLONG fileTime) const;

private:
    EMode m_mode;
    std::string m_zoneName;
    boost::local_time::time_zone_ptr m_zone;
};
