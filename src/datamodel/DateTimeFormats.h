#pragma once
// Formats for showing dates and times with the user's regional settings: the locale's short
// date and time pictures turned into strftime formats (for CHighTime::Format) and into pictures
// of the charting control, and format templates of the string table expanded with them.
#include "platform/framework/CString.h"

// strftime forms (placeholders dtFmt1 and tmFmt1 of the templates).
CString GetShortDateStrftimeFormat();
CString GetTimeStrftimeFormat();
// The locale's time without its seconds, as a strftime format.
CString GetLocaleTimeFormat();
// Chart pictures (placeholders dtFmt2 and tmFmt2).
CString GetShortDateChartFormat();
CString GetTimeChartFormat();
// The locale's time picture as it is, or with its seconds and their separator removed.
CString GetLocaleTimePicture(bool withoutSeconds);
// The string resource with every dtFmt1, tmFmt1, dtFmt2 and tmFmt2 replaced.
CString ExpandDateTimeFormat(unsigned stringId);

// The conversions themselves, for any picture in the locale syntax.
CString PictureToStrftimeFormat(const CString& picture);
CString PictureToChartFormat(const CString& picture);
CString RemoveSecondsFromPicture(const CString& picture);
