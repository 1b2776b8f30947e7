#include "export/CsvTimeFormat.h"

#include <glog/logging.h>

#include <chrono>
#include <ctime>
#include <exception>

namespace {

constexpr ULONGLONG kTicksPerSecond = 10'000'000;
constexpr long long kSecondsFrom1601To1970 = 11'644'473'600LL;
// The first second of the year 10000, counted from 1601.
constexpr ULONGLONG kEndSeconds = 265'046'774'400ULL;

struct SCivilTime
{
    int year, month, day, hour, minute, second;
};

SCivilTime FromUnixSeconds(long long seconds)
{
    using namespace std::chrono;
    const sys_seconds point{std::chrono::seconds(seconds)};
    const auto day = floor<days>(point);
    const year_month_day date{day};
    const hh_mm_ss<std::chrono::seconds> time{point - day};
    return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), int(time.hours().count()),
            int(time.minutes().count()), int(time.seconds().count())};
}

void AppendDigits(std::string& out, int value, int width)
{
    char digits[8];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = char('0' + value % 10);
    out.append(digits, std::size_t(width));
}

void AppendCivil(std::string& out, const SCivilTime& t)
{
    AppendDigits(out, t.year, 4);
    out += '-';
    AppendDigits(out, t.month, 2);
    out += '-';
    AppendDigits(out, t.day, 2);
    out += ' ';
    AppendDigits(out, t.hour, 2);
    out += ':';
    AppendDigits(out, t.minute, 2);
    out += ':';
    AppendDigits(out, t.second, 2);
}

std::string StandardZoneName()
{
    ::tzset();
    const char* name = ::tzname[0];
    return name && *name ? std::string(name) : std::string("Local");
}

boost::local_time::time_zone_ptr FindZone(const std::string& region, const std::filesystem::path& table)
{
    if (region.empty()) {
        LOG(WARNING) << "CSV export: the session names no time zone; times are written in UTC";
        return {};
    }
    boost::local_time::tz_database database;
    try {
        database.load_from_file(table.string());
    } catch (const std::exception& error) {
        LOG(WARNING) << "CSV export: the time-zone table " << table.string() << " cannot be read (" << error.what()
                     << "); times of zone " << region << " are written in UTC";
        return {};
    }
    auto zone = database.time_zone_from_region(region);
    if (!zone)
        LOG(WARNING) << "CSV export: the time-zone table " << table.string() << " has no zone " << region
                     << "; times are written in UTC";
    return zone;
}

} // namespace

CCsvTimeFormat::CCsvTimeFormat(EMode mode, const CString& sessionZone, const std::filesystem::path& zoneTable)
    : m_mode(mode)
{
    switch (mode) {
    case EMode::Utc:
        m_zoneName = "UTC";
        break;
    case EMode::Local:
        m_zoneName = StandardZoneName();
        break;
    case EMode::SessionZone:
        m_zone = FindZone(sessionZone.str(), zoneTable);
        m_zoneName = m_zone ? sessionZone.str() : std::string("UTC");
        break;
    }
}

void CCsvTimeFormat::Append(std::string& out, ULONGLONG fileTime) const
{
    const ULONGLONG seconds1601 = fileTime / kTicksPerSecond;
    if (seconds1601 >= kEndSeconds)
        return;
    const long long unixSeconds = (long long)seconds1601 - kSecondsFrom1601To1970;
    if (m_mode == EMode::SessionZone) {
        using namespace boost::posix_time;
        const ptime utc = from_time_t(0) + seconds(long(unixSeconds));
        const boost::local_time::local_date_time local(utc, m_zone);
        const ptime wall = local.local_time();
        const auto date = wall.date().year_month_day();
        const time_duration time = wall.time_of_day();
        AppendCivil(out, {int(date.year), int(date.month), int(date.day), int(time.hours()), int(time.minutes()),
                          int(time.seconds())});
        out += ' ';
        out += local.zone_abbrev();
        return;
    }
    if (m_mode == EMode::Local) {
        const std::time_t when = std::time_t(unixSeconds);
        std::tm local{};
        if (::localtime_r(&when, &local)) {
            AppendCivil(out, {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                              local.tm_sec});
            return;
        }
    }
    AppendCivil(out, FromUnixSeconds(unixSeconds));
}
