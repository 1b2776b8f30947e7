#include "views/TimeSpanText.h"

CString FormatTimeSpanText(const CHighTimeSpan& span)
{
    LONGLONG seconds = span.GetTotalSeconds();
    CString text;
    if (seconds < 0) {
        text = "-";
        seconds = -seconds;
    }
    const LONGLONG days = seconds / 86400;
    const int hours = int(seconds / 3600 % 24);
    const int minutes = int(seconds / 60 % 60);
    const int rest = int(seconds % 60);
    if (seconds >= 86400)
        text.AppendFormat("%lldd %dh %dm %ds", static_cast<long long>(days), hours, minutes, rest);
    else if (seconds >= 3600)
        text.AppendFormat("%dh %dm %ds", hours, minutes, rest);
    else if (seconds >= 60)
        text.AppendFormat("%dm %ds", minutes, rest);
    else
        text.AppendFormat("%ds", rest);
    return text;
}
