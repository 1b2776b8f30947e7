#include "datamodel/IntervalText.h"

namespace
{
constexpr unsigned kSecondsTextId = 8007;
constexpr unsigned kMinutesTextId = 8010;

CString Loaded(unsigned id)
{
    CString text;
    text.LoadString(id);
    return text;
}
} // namespace

CString FormatIntervalText(int seconds)
{
    const CString secText = Loaded(kSecondsTextId);
    if (seconds < 60)
        return CString::Formatted("%d%s", seconds, secText);
    CString text = CString::Formatted("%d%s", seconds / 60, Loaded(kMinutesTextId));
    if (seconds % 60 != 0)
        text.AppendFormat(" %d%s", seconds % 60, secText);
    return text;
}
