#pragma once
// The calendar model shared by the calendar graph view, the calendar table view and its grid:
// a session cut into bins of one hour, one day or one week, the bins of every session, and the
// user's selection of at most two bins.
#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "platform/framework/windows/Geometry.h"

#include <array>
#include <memory>
#include <vector>

// The calendar table view asks its graph view to apply the options (all sessions on their X
// axes, ready for the thumbnails) and to show the selected bins; the grid asks its view for the
// latter after a click.
inline constexpr UINT WM_CALENDAR_APPLY_OPTIONS = 0x436;  // WM_USER+54
inline constexpr UINT WM_CALENDAR_SHOW_SELECTION = 0x437; // WM_USER+55

enum ECalendarGranularity { kCalendarHour = 0, kCalendarDay = 1, kCalendarWeek = 2 };
inline constexpr int kCalendarGranularities = 3;
// More bins than this are not made for one session (a leap year of hours fits).
inline constexpr int kCalendarBinLimit = 8784;

// "HOUR", "DAY" or "WEEK" (file names); empty for any other value.
const char* CalendarGranularityName(int granularity);

struct structCalendarBin
{
    int index = -1;
    double start = 0.0;  // chart date (days since 30 December 1899)
    double width = 0.0;  // days
    int dayOfWeek = -1;  // 1 Sunday .. 7 Saturday; -1 in HOUR bins
    int hour = -1;       // 0..23; -1 in DAY and WEEK bins
    CString fileName;    // thumbnail file without folder
};

struct structCalendarBins
{
    double upper = 0.0;
    double lower = 0.0;
    CString folder; // ends with a separator
    int granularity = kCalendarHour;
    int count = 0;
    std::vector<structCalendarBin> bins; // the first `count` are filled
};

struct structCalendarSessionData
{
    CString name;
    std::array<std::unique_ptr<structCalendarBins>, kCalendarGranularities> bins;
};

struct structCalendarSelection
{
    int session = -1;
    int bin = -1;
    int column = -1;
    int row = -1;

    bool HasSession() const { return session >= 0; }
    bool Holds(int s, int b) const { return session == s && bin == b; }
};

class CCalendarSessionList
{
public:
    std::vector<std::unique_ptr<structCalendarSessionData>> sessions;
    int granularity = -1;
    std::array<structCalendarSelection, 2> selections;

    void Clear();
    void ClearSelection() { selections = {}; }
    // The bins of session s at the list's granularity; null when none were made.
    const structCalendarBins* BinsOf(int session) const;
    // The record holding (session, bin); -1 for none.
    int FindSelection(int session, int bin) const;
    // Puts the bin into the first free record, else replaces the second; an already selected
    // bin keeps its record. Returns the record used.
    int Select(const structCalendarSelection& cell);
    // Removes record r; the second moves into the first place.
    void Deselect(int record);
};

// Where the calendar grid gets the picture of a bin: the file bins.folder + the bin's file name
// is made to show the bin's current picture in that size (written only when it does not);
// false when no picture could be made.
class ICalendarPictureSource
{
public:
    virtual bool ProvidePicture(int session, const structCalendarBins& bins, int bin, CSize size) = 0;

protected:
    ~ICalendarPictureSource() = default;
};

// The bins of a session whose chart X axis runs from `axisMinimum` to `axisMaximum`, at one
// granularity, by the local calendar: hours from full hours of the local clock (a clock change of
// half an hour cuts its hour at the change), days from local midnight, weeks from the Monday at
// or before the start. None when the start is exactly 0 or the range is no
// number. At most kCalendarBinLimit bins. File names are not set.
std::vector<structCalendarBin> MakeCalendarBins(double axisMinimum, double axisMaximum, int granularity);

// The local second of the day of `first` when the `count` whole hours from it keep one offset
// from universal time (no clock change among them, so that their local times follow one
// another an hour apart); -1 otherwise. Two local conversions stand for `count` of them.
int SteadyLocalStart(const CHighTime& first, int count);

// "S<session + 1>_<granularity>_<UTC start>.bmp".
CString CalendarBinFileName(int session, int granularity, double start);
