#include "platform/framework/LocaleNumber.h"

#include <charconv>
#include <cmath>
#include <cstdio>
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

CString ShowLocaleNumber(double value, int decimals, const CUserLocale& locale)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals < 0 ? 0 : decimals, value);
    std::string fixed = buffer;
    const bool negative = !fixed.empty() && fixed.front() == '-';
    if (negative)
        fixed.erase(0, 1);
    std::string integer = fixed.substr(0, fixed.find('.'));
    std::string fraction = fixed.find('.') == std::string::npos ? std::string() : fixed.substr(fixed.find('.') + 1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string out;
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            out += locale.thousandsSeparator.str();
        out += integer[i];
    }
    if (!fraction.empty())
        out += (locale.decimalSeparator.IsEmpty() ? std::string(".") : locale.decimalSeparator.str()) + fraction;
    const bool zero = integer.find_first_not_of('0') == std::string::npos && fraction.empty();
    return CString((negative && !zero ? "-" : "") + out);
}
