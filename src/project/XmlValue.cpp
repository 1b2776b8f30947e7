#include "project/XmlValue.h"

#include "platform/framework/Utf8.h"

#include <locale.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace
{
// The printf forms of the file format fit easily; 128 bytes as the format always allowed.
constexpr std::size_t kTextBufferSize = 128;

const char* PoolCopy(XmlDocument& doc, const char* text, std::size_t length)
{
    char* copy = doc.allocate_string(nullptr, length + 1);
    std::copy_n(text, length, copy);
    copy[length] = '\0';
    return copy;
}

const char* PoolCopy(XmlDocument& doc, const std::string& text)
{
    return PoolCopy(doc, text.c_str(), text.size());
}

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipSpace(const char* p)
{
    while (IsCSpace(*p))
        ++p;
    return p;
}

// Decimal digits after optional blanks and sign, as strtol takes them: the magnitude saturated
// at the 64-bit unsigned limit and the sign.
struct SParsedInteger
{
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool overflow = false;
};

SParsedInteger ParseDecimal(const char* text)
{
    SParsedInteger result;
    if (!text)
        return result;
    const char* p = SkipSpace(text);
    if (*p == '+' || *p == '-')
        result.negative = *p++ == '-';
    const char* end = p;
    while (*end >= '0' && *end <= '9')
        ++end;
    if (end == p)
        return SParsedInteger{};
    auto [ptr, ec] = std::from_chars(p, end, result.magnitude);
    (void)ptr;
    result.overflow = ec == std::errc::result_out_of_range;
    return result;
}

// strtod in the "C" locale, whatever the process locale is. from_chars cannot tell overflow
// from underflow, which strtod answers with HUGE_VAL or 0.
double ParseCDouble(const char* text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text, nullptr, cLocale);
}

std::string FormatGeneral(double value, int precision)
{
    char buffer[kTextBufferSize];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, end);
}

constexpr char32_t kReplacement = 0xFFFD;

// Well-formed UTF-8 after the Unicode table of well-formed byte sequences: the second byte's
// range depends on the lead, which excludes overlong forms, surrogates and values past
// U+10FFFF. A bad sequence is replaced by one U+FFFD covering its longest valid prefix.
std::string SanitizeUtf8(const unsigned char* p, std::size_t length)
{
    std::string out;
    out.reserve(length);
    std::size_t i = 0;
    while (i < length) {
        const unsigned char lead = p[i];
        if (lead < 0x80) {
            out += char(lead);
            ++i;
            continue;
        }
        int followers = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            followers = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            followers = 2;
            cp = lead & 0x0F;
            if (lead == 0xE0)
                lo = 0xA0;
            else if (lead == 0xED)
                hi = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            followers = 3;
            cp = lead & 0x07;
            if (lead == 0xF0)
                lo = 0x90;
            else if (lead == 0xF4)
                hi = 0x8F;
        } else {
            AppendUtf8(out, kReplacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        int taken = 0;
        for (; taken < followers && j < length; ++taken, ++j) {
            const unsigned char c = p[j];
            if (c < lo || c > hi)
                break;
            cp = (cp << 6) | (c & 0x3F);
            lo = 0x80;
            hi = 0xBF;
        }
        AppendUtf8(out, taken == followers ? cp : kReplacement);
        i = j;
    }
    return out;
}
} // namespace

const char* XmlFromBool(XmlDocument& doc, bool value)
{
    return PoolCopy(doc, value ? "1" : "0", 1);
}

const char* XmlFromInt(XmlDocument& doc, int value)
{
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return PoolCopy(doc, buffer, std::size_t(end - buffer));
}

const char* XmlFromUInt(XmlDocument& doc, unsigned value)
{
    char buffer[16];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return PoolCopy(doc, buffer, std::size_t(end - buffer));
}

std::string FormatXmlFloat(float value)
{
    return FormatGeneral(double(value), 6);
}

std::string FormatXmlDouble(double value)
{
    // Twelve digits where they read back as the same value; otherwise as many as that takes:
    // a day number of twelve digits is 8.64 ms coarse, and a stored time must come back as
    // the same time.
    std::string text;
    for (int precision = 12; precision <= 17; ++precision) {
        text = FormatGeneral(value, precision);
        if (ParseCDouble(text.c_str()) == value)
            break;
    }
    return text;
}

const char* XmlFromFloat(XmlDocument& doc, float value)
{
    return PoolCopy(doc, FormatXmlFloat(value));
}

const char* XmlFromDouble(XmlDocument& doc, double value)
{
    return PoolCopy(doc, FormatXmlDouble(value));
}

const char* XmlFromTime(XmlDocument& doc, const CHighTime& value)
{
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value.GetTicks());
    (void)ec;
    return PoolCopy(doc, buffer, std::size_t(end - buffer));
}

const char* XmlFromString(XmlDocument& doc, const CString& value)
{
    return PoolCopy(doc, CStringToUtf8(value));
}

bool XmlToBool(const char* text)
{
    const SParsedInteger n = ParseDecimal(text);
    return n.magnitude != 0;
}

long long XmlToInt64(const char* text)
{
    const SParsedInteger n = ParseDecimal(text);
    constexpr auto maxPositive = std::uint64_t(std::numeric_limits<long long>::max());
    if (n.negative)
        return n.overflow || n.magnitude > maxPositive ? std::numeric_limits<long long>::min()
                                                       : -static_cast<long long>(n.magnitude);
    return n.overflow || n.magnitude > maxPositive ? std::numeric_limits<long long>::max()
                                                   : static_cast<long long>(n.magnitude);
}

int XmlToInt(const char* text)
{
    const long long v = XmlToInt64(text);
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(v);
}

unsigned XmlToUInt(const char* text)
{
    const SParsedInteger n = ParseDecimal(text);
    constexpr auto maxValue = std::numeric_limits<unsigned>::max();
    if (n.overflow || n.magnitude > maxValue)
        return maxValue;
    const auto magnitude = unsigned(n.magnitude);
    return n.negative ? 0u - magnitude : magnitude;
}

double XmlToDouble(const char* text)
{
    return text ? ParseCDouble(text) : 0.0;
}

float XmlToFloat(const char* text)
{
    return float(XmlToDouble(text));
}

CHighTime XmlToTime(const char* text)
{
    return CHighTime(LONGLONG(XmlToInt64(text)));
}

CString XmlToString(const char* text)
{
    return Utf8ToCString(text);
}

std::string CStringToUtf8(const CString& text)
{
    return SanitizeUtf8(reinterpret_cast<const unsigned char*>(text.GetString()), std::size_t(text.GetLength()));
}

CString Utf8ToCString(const char* text)
{
    if (!text)
        return CString();
    return CString(SanitizeUtf8(reinterpret_cast<const unsigned char*>(text), std::char_traits<char>::length(text)));
}

XmlNode* XmlAppendElement(XmlDocument& doc, XmlNode& parent, const char* name, const char* text)
{
    XmlNode* node = doc.allocate_node(rapidxml::node_element, doc.allocate_string(name),
                                      text ? doc.allocate_string(text) : nullptr);
    parent.append_node(node);
    return node;
}

void XmlAppendAttribute(XmlDocument& doc, XmlNode& node, const char* name, const char* text)
{
    node.append_attribute(doc.allocate_attribute(doc.allocate_string(name), doc.allocate_string(text ? text : "")));
}

std::string_view XmlNameOf(const XmlNode& node)
{
    return {node.name(), node.name_size()};
}

const XmlNode* XmlFirstChild(const XmlNode* parent, const char* name)
{
    return parent ? parent->first_node(name) : nullptr;
}

const XmlAttribute* XmlAttributeOf(const XmlNode* node, const char* name)
{
    return node ? node->first_attribute(name) : nullptr;
}

const XmlNode* XmlFirstElement(const XmlNode* parent)
{
    const XmlNode* node = parent ? parent->first_node() : nullptr;
    while (node && node->type() != rapidxml::node_element)
        node = node->next_sibling();
    return node;
}

const XmlNode* XmlNextElement(const XmlNode* node)
{
    do
        node = node->next_sibling();
    while (node && node->type() != rapidxml::node_element);
    return node;
}
