#include "platform/framework/LocaleNumber.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool StartsWith(std::string_view s, std::string_view what) { return !what.empty() && s.substr(0, what.size()) == what; }
bool EndsWith(std::string_view s, std::string_view what)
{
    return !what.empty() && s.size() >= what.size() && s.substr(s.size() - what.size()) == what;
}

// The digits at the front of the text.
std::string_view Digits(std::string_view s)
{
    std::size_t n = 0;
    while (n < s.size() && IsDigit(s[n]))
        ++n;
    return s.substr(0, n);
}

// A separator of the groups that the locale writes as a (non-breaking) space is typed as a space.
bool IsGroupSeparatorAt(std::string_view s, std::string_view separator, std::size_t& length)
{
    if (StartsWith(s, separator)) {
        length = separator.size();
        return true;
    }
    const bool spaceLike = separator == " " || separator == "\xC2\xA0" || separator == "\xE2\x80\xAF";
    if (spaceLike && StartsWith(s, " ")) {
        length = 1;
        return true;
    }
    return false;
}

// "%.*f" as the C locale writes it, whatever the process locale is; empty when not finite.
std::string PlainFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return {};
    std::string buffer(std::size_t(std::max(decimals, 0)) + 330, '\0');
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, std::max(decimals, 0));
    buffer.resize(ec == std::errc() ? std::size_t(end - buffer.data()) : 0);
    return buffer;
}

// The shortest fixed-point text that reads back to exactly the double.
std::string PlainShortest(double value)
{
    std::string buffer(330, '\0');
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    buffer.resize(ec == std::errc() ? std::size_t(end - buffer.data()) : 0);
    return buffer;
}

std::string GroupedDigits(const std::string& integer, std::string_view separator)
{
    std::string out;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

struct SPlainParts
{
    bool negative = false;
    std::string integer;
    std::string fraction;
};

SPlainParts Split(std::string plain, bool trimmed)
{
    SPlainParts parts;
    parts.negative = !plain.empty() && plain.front() == '-';
    if (parts.negative)
        plain.erase(0, 1);
    const std::size_t point = plain.find('.');
    parts.integer = plain.substr(0, point);
    if (point != std::string::npos)
        parts.fraction = plain.substr(point + 1);
    while (trimmed && !parts.fraction.empty() && parts.fraction.back() == '0')
        parts.fraction.pop_back();
    // A value that rounds to zero has no sign.
    if (parts.integer.find_first_not_of('0') == std::string::npos && parts.fraction.find_first_not_of('0') == std::string::npos)
        parts.negative = false;
    return parts;
}

// The digits laid out with the locale's separators, without the sign.
std::string LaidOut(const SPlainParts& parts, bool grouped, const CUserLocale& locale)
{
    std::string out = grouped ? GroupedDigits(parts.integer, locale.thousandsSeparator.str()) : parts.integer;
    if (!parts.fraction.empty())
        out += (locale.decimalSeparator.IsEmpty() ? std::string(".") : locale.decimalSeparator.str()) + parts.fraction;
    return out;
}

std::string WithSign(const std::string& text, int negativeMode)
{
    switch (negativeMode) {
    case 0: return "(" + text + ")";
    case 2: return "- " + text;
    case 3: return text + "-";
    case 4: return text + " -";
    default: return "-" + text;
    }
}

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

} // namespace

bool ReadLocaleNumber(const CString& text, const CUserLocale& locale, double& value)
{
    const std::string_view decimal = locale.decimalSeparator.IsEmpty() ? std::string_view(".") : locale.decimalSeparator.str();
    const std::string_view thousands = locale.thousandsSeparator.str();
    const std::string_view currency = locale.currencySymbol.str();
    std::string_view s = Trimmed(text.str());
    bool negative = false;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') {
        negative = true;
        s = Trimmed(s.substr(1, s.size() - 2));
    }
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = negative != (s.front() == '-');
        s = Trimmed(s.substr(1));
    }
    if (StartsWith(s, currency))
        s = Trimmed(s.substr(currency.size()));
    else if (EndsWith(s, currency))
        s = Trimmed(s.substr(0, s.size() - currency.size()));

    std::string plain = negative ? "-" : "";
    const std::string_view first = Digits(s);
    plain += first;
    s.remove_prefix(first.size());
    std::size_t separatorLength = 0;
    while (!thousands.empty() && IsGroupSeparatorAt(s, thousands, separatorLength)) {
        const std::string_view group = Digits(s.substr(separatorLength));
        if (first.empty() || first.size() > 3 || group.size() != 3)
            return false;
        plain += group;
        s.remove_prefix(separatorLength + 3);
    }
    bool anyDigit = !first.empty();
    if (StartsWith(s, decimal)) {
        s.remove_prefix(decimal.size());
        const std::string_view fraction = Digits(s);
        plain += '.';
        plain += fraction;
        s.remove_prefix(fraction.size());
        anyDigit = anyDigit || !fraction.empty();
    }
    if (!anyDigit)
        return false;
    if (!s.empty() && (s.front() == 'e' || s.front() == 'E')) {
        std::size_t at = 1;
        if (at < s.size() && (s[at] == '-' || s[at] == '+'))
            ++at;
        const std::string_view exponent = Digits(s.substr(at));
        if (exponent.empty())
            return false;
        plain += 'e';
        plain += s.substr(1, at - 1);
        plain += exponent;
        s.remove_prefix(at + exponent.size());
    }
    if (!s.empty())
        return false;
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

CString LocaleNumberText(double value, const SNumberLayout& layout, const CUserLocale& locale)
{
    const std::string plain = PlainFixed(value, layout.decimals);
    if (plain.empty())
        return {};
    const SPlainParts parts = Split(plain, layout.trimmed);
    return CString((parts.negative ? "-" : "") + LaidOut(parts, layout.grouped, locale));
}

CString ShowLocaleNumber(double value, int decimals, const CUserLocale& locale)
{
    return LocaleNumberText(value, SNumberLayout{decimals, true, true}, locale);
}

CString ShortestLocaleNumber(double value, const std::function<bool(double)>& readsBack, const CUserLocale& locale)
{
    if (!std::isfinite(value))
        return {};
    // The value rounded to ever more significant digits until its reading is taken; at 17 every
    // double reads back to itself.
    std::string plain;
    for (int digits = 1; digits <= std::numeric_limits<double>::max_digits10; ++digits) {
        char text[64];
        const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, digits - 1);
        double rounded = value;
        if (written.ec == std::errc())
            std::from_chars(text, written.ptr, rounded);
        plain = PlainShortest(rounded);
        if (readsBack(rounded))
            break;
    }
    const SPlainParts parts = Split(plain, true);
    return CString((parts.negative ? "-" : "") + LaidOut(parts, false, locale));
}

CString ShortestLocaleNumber(double value, const CUserLocale& locale)
{
    return ShortestLocaleNumber(value, [value](double read) { return read == value; }, locale);
}

CString ShortestLocaleFloat(float value, const CUserLocale& locale)
{
    return ShortestLocaleNumber(double(value), [value](double read) { return float(read) == value; }, locale);
}

double TypedDecimal(float stored)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, stored);
    double typed = double(stored);
    if (written.ec == std::errc())
        std::from_chars(text, written.ptr, typed);
    return typed;
}

CString PlaceCurrency(const CString& number, const CString& currency, const CUserLocale& locale)
{
    if (currency.IsEmpty())
        return number;
    const std::string_view symbol = currency.str();
    if (locale.currencyFirst)
        return currency + (locale.currencySpaced || IsLetter(symbol.back()) ? " " : "") + number;
    return number + (locale.currencySpaced || IsLetter(symbol.front()) ? " " : "") + currency;
}

CString LocaleMoneyText(double amount, const CString& currency, const CUserLocale& locale)
{
    SPlainParts parts = Split(PlainFixed(std::isfinite(amount) ? amount : 0.0, locale.currencyDigits), false);
    if (parts.integer == "0" && !locale.leadingZero && !parts.fraction.empty())
        parts.integer.clear();
    const CString placed = PlaceCurrency(CString(LaidOut(parts, true, locale)), currency, locale);
    return parts.negative ? CString(WithSign(placed.str(), locale.negativeNumberMode)) : placed;
}
