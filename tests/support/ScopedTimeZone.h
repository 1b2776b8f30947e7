#pragma once
// Sets the process time zone (TZ) for one test and restores the previous one. POSIX zone strings
// such as "CET-1CEST,M3.5.0,M10.5.0/3" need no zone database on the machine.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class ScopedTimeZone
{
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* previous = std::getenv("TZ"))
            m_previous = previous;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_previous)
            setenv("TZ", m_previous->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> m_previous;
};

inline constexpr const char* kCentralEuropeZone = "CET-1CEST,M3.5.0,M10.5.0/3";
// Lord Howe Island: its clocks change by half an hour.
inline constexpr const char* kLordHoweZone = "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0";
