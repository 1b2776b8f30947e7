#include "project/ScreenshotTime.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

constexpr int kTimeTextLength = 17;
constexpr char kFilePrefix[] = "screenshot-";

struct SPiece
{
    int offset;
    int length;
};
// Year, month, day, hour, minute, second; the characters at 4, 7 and 10 are separators.
constexpr SPiece kPieces[] = {{0, 4}, {5, 2}, {8, 2}, {11, 2}, {13, 2}, {15, 2}};

// The whole piece must be a base-10 number; leading blanks and a sign are accepted.
std::optional<int> ParsePiece(const std::string& text, SPiece piece)
{
    const std::string part = text.substr(std::size_t(piece.offset), std::size_t(piece.length));
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(part.c_str(), &end, 10);
    if (end == part.c_str() || *end != '\0' || errno != 0)
        return std::nullopt;
    return int(value);
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool InRange(const SScreenshotTime& t)
{
    // Years the 100-ns time scale (from 1601) and a four-digit field can both hold.
    if (t.year < 1601 || t.year > 9999 || t.month < 1 || t.month > 12)
        return false;
    return t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

CHighTime NullTime()
{
    CHighTime time;
    time.SetStatus(CHighTime::null);
    return time;
}

} // namespace

std::optional<SScreenshotTime> ParseScreenshotTime(const CString& text)
{
    if (text.GetLength() < kTimeTextLength)
        return std::nullopt;
    const std::string value(text.GetString(), std::size_t(kTimeTextLength));
    int fields[std::size(kPieces)] = {};
    for (std::size_t i = 0; i < std::size(kPieces); ++i) {
        const std::optional<int> piece = ParsePiece(value, kPieces[i]);
        if (!piece)
            return std::nullopt;
        fields[i] = *piece;
    }
    const SScreenshotTime time{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    if (!InRange(time))
        return std::nullopt;
    return time;
}

CHighTime TimeFromScreenshotFileName(const CString& fileName)
{
    const int prefixLength = int(sizeof kFilePrefix - 1);
    if (fileName.GetLength() < prefixLength || fileName.Left(prefixLength).CompareNoCase(kFilePrefix) != 0)
        return NullTime();
    const std::optional<SScreenshotTime> t = ParseScreenshotTime(fileName.Mid(prefixLength));
    if (!t)
        return NullTime();
    CHighTime time(t->year, t->month, t->day, t->hour, t->minute, t->second);
    if (time.GetStatus() != CHighTime::valid)
        return NullTime();
    return time;
}

CHighTime UtcTimeFromScreenshotText(const CString& text)
{
    const std::optional<SScreenshotTime> t = ParseScreenshotTime(text);
    if (!t)
        return NullTime();
    std::tm parts{};
    parts.tm_year = t->year - 1900;
    parts.tm_mon = t->month - 1;
    parts.tm_mday = t->day;
    parts.tm_hour = t->hour;
    parts.tm_min = t->minute;
    parts.tm_sec = t->second;
    return CHighTime(CTime(::timegm(&parts)));
}
