#pragma once
// The length of a time range as the date pickers and the demand tables show it.
#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"

// "1d 2h 3m 4s" from one day up, "2h 3m 4s" from one hour, "3m 4s" from one minute, "4s" below;
// whole seconds, the fraction dropped. A negative span shows its length with a leading "-".
CString FormatTimeSpanText(const CHighTimeSpan& span);
