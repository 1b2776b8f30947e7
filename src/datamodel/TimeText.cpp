#include "datamodel/TimeText.h"

#include <cstring>
#include <string>

namespace
{
constexpr std::size_t kWideBufferUnits = 128;
// Enough bytes for 127 UTF-16 units of UTF-8 text.
constexpr std::size_t kByteBuffer = 4 * kWideBufferUnits;

// Conversions understood by the wide strftime the formats were written for.
constexpr const char* kKnownConversions = "aAbBcCdDeFgGhHIjmMnprRStTuUVwWxXyYzZ%";

// The value of a numeric field for "%#c"; false when the conversion has no numeric form.
bool NumericField(char conversion, const std::tm& tm, long long& value)
{
    switch (conversion)
    {
    case 'd': value = tm.tm_mday; return true;
    case 'm': value = tm.tm_mon + 1; return true;
    case 'y': value = ((tm.tm_year + 1900LL) % 100 + 100) % 100; return true;
    case 'Y': value = tm.tm_year + 1900LL; return true;
    case 'H': value = tm.tm_hour; return true;
    case 'I': value = tm.tm_hour % 12 == 0 ? 12 : tm.tm_hour % 12; return true;
    case 'M': value = tm.tm_min; return true;
    case 'S': value = tm.tm_sec; return true;
    case 'j': value = tm.tm_yday + 1; return true;
    case 'w': value = tm.tm_wday; return true;
    case 'U': value = (tm.tm_yday + 7 - tm.tm_wday) / 7; return true;
    case 'W': value = (tm.tm_yday + 7 - (tm.tm_wday + 6) % 7) / 7; return true;
    default: return false;
    }
}

// Rewrites the format so that glibc sees only plain conversions: numeric "#" fields are
// formatted here, "#" on other conversions is dropped (it changes nothing there).
bool ResolveFlags(const std::string& format, const std::tm& tm, std::string& out)
{
    for (std::size_t i = 0; i < format.size(); ++i)
    {
        const char ch = format[i];
        if (ch != '%')
        {
            out += ch;
            continue;
        }
        if (++i >= format.size())
            return false;
        const bool noLeadingZero = format[i] == '#';
        if (noLeadingZero && ++i >= format.size())
            return false;
        const char conversion = format[i];
        if (conversion == '\0' || !std::strchr(kKnownConversions, conversion))
            return false;
        long long value = 0;
        if (noLeadingZero && NumericField(conversion, tm, value))
        {
            out += std::to_string(value);
            continue;
        }
        out += '%';
        out += conversion;
    }
    return true;
}
} // namespace

bool FormatBrokenDownTime(const CString& format, const std::tm& tm, CString& result)
{
    result.Empty();
    std::string plain;
    if (!ResolveFlags(format.str(), tm, plain))
        return false;
    char buffer[kByteBuffer];
    const std::size_t length = std::strftime(buffer, sizeof buffer, plain.c_str(), &tm);
    if (length == 0)
        return false;
    CString text(buffer, int(length));
    if (text.ToUtf16().size() >= kWideBufferUnits)
        return false;
    result = text;
    return true;
}
