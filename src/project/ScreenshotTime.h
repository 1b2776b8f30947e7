#pragma once
// Times of logger screenshots: the 17-character "YYYY?MM?DD?hhmmss" form that both the file names
// ("screenshot-...") and the "CreationTime" metadata use.
#include <optional>

#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"

struct SScreenshotTime
{
    int year;
    int month;  // 1..12
    int day;    // 1..days of the month
    int hour;   // 0..23
    int minute; // 0..59
    int second; // 0..59
};

// The broken-down time of the first 17 characters; none when a piece is not a number or a field
// lies outside its calendar range.
std::optional<SScreenshotTime> ParseScreenshotTime(const CString& text);

// Local time of a name beginning with "screenshot-" (any case); a null time otherwise.
CHighTime TimeFromScreenshotFileName(const CString& fileName);

// The parsed time taken as UTC; a null time when the text does not parse.
CHighTime UtcTimeFromScreenshotText(const CString& text);
