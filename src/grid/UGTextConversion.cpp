#include "grid/UGTextConversion.h"

#include "platform/framework/OleDateTime.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace ugtext
{
namespace
{
// The buffer size of the platform's number formatting.
constexpr std::size_t kNumberBufferChars = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one unit in the last place of a digit string; true when it carried out of the front.
bool IncrementDigits(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;)
    {
        if (digits[i] != '9')
        {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

std::string Grouped(const std::string& integer, const std::string& separator)
{
    std::string out;
    const std::size_t n = integer.size();
    for (std::size_t i = 0; i < n; ++i)
    {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += integer[i];
    }
    return out;
}

std::string WithSign(const std::string& number, int negativeMode)
{
    switch (negativeMode)
    {
    case 0: return "(" + number + ")";
    case 2: return "- " + number;
    case 3: return number + "-";
    case 4: return number + " -";
    default: return "-" + number;
    }
}

void RemoveAll(std::string& text, const std::string& what)
{
    if (what.empty())
        return; // an empty separator (C and POSIX locales) has nothing to remove
    for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos))
        text.erase(pos, what.size());
}

// The text with separators and currency symbol removed and the decimal separator turned into ".".
std::string Normalised(const CString& text, const CUserLocale& locale)
{
    std::string s = text.str();
    RemoveAll(s, locale.thousandsSeparator.str());
    RemoveAll(s, locale.currencySymbol.str());
    const std::string& dec = locale.decimalSeparator.str();
    if (!dec.empty() && dec != ".")
        for (std::size_t pos = s.find(dec); pos != std::string::npos; pos = s.find(dec, pos + 1))
            s.replace(pos, dec.size(), ".");
    return s;
}

std::string Trimmed(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : s)
    {
        if (std::isspace(static_cast<unsigned char>(c)))
        {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        }
        else
            word += c;
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

// Numbers separated by any of the separators; false when anything else is in the word.
bool SplitNumbers(const std::string& word, const char* separators, std::vector<int>& numbers)
{
    std::string part;
    auto flush = [&]() {
        if (part.empty() || part.size() > 9)
            return false;
        numbers.push_back(std::stoi(part));
        part.clear();
        return true;
    };
    for (char c : word)
    {
        if (IsDigit(c))
            part += c;
        else if (std::string_view(separators).find(c) != std::string_view::npos)
        {
            if (!flush())
                return false;
        }
        else
            return false;
    }
    return flush();
}

bool EqualsNoCase(const std::string& a, const char* b)
{
    return CString(a).CompareNoCase(b) == 0;
}

// The order of day, month and year in a short-date picture, as indexes into the date fields.
std::array<int, 3> DateFieldOrder(const CString& picture)
{
    const std::string& p = picture.str();
    const auto at = [&](char c) {
        const auto pos = p.find(c);
        return pos == std::string::npos ? p.size() : pos;
    };
    std::array<std::pair<std::size_t, int>, 3> fields{{{at('d'), 0}, {at('M'), 1}, {at('y'), 2}}};
    std::sort(fields.begin(), fields.end());
    return {fields[0].second, fields[1].second, fields[2].second};
}
} // namespace

CString ShortestFixed(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return CString(buffer.data(), int(result.ptr - buffer.data()));
}

CString FixedDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return ShortestFixed(value);
    std::array<char, 700> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, std::max(decimals, 0));
    if (result.ec != std::errc())
        return ShortestFixed(value);
    return CString(buffer.data(), int(result.ptr - buffer.data()));
}

bool FormatLocaleNumber(const CString& plain, int digits, const CUserLocale& locale, CString& out)
{
    const std::string& s = plain.str();
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (negative)
        ++i;
    std::string integer, fraction;
    while (i < s.size() && IsDigit(s[i]))
        integer += s[i++];
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && IsDigit(s[i]);)
            fraction += s[i++];
    if (i != s.size() || (integer.empty() && fraction.empty()))
        return false;

    digits = std::max(digits, 0);
    if (int(fraction.size()) > digits)
    {
        const bool roundUp = fraction[std::size_t(digits)] >= '5';
        fraction.resize(std::size_t(digits));
        if (roundUp && IncrementDigits(fraction))
        {
            if (integer.empty())
                integer = "0";
            if (IncrementDigits(integer))
                integer.insert(integer.begin(), '1');
        }
    }
    fraction.resize(std::size_t(digits), '0');

    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    if (integer.empty() && (locale.leadingZero || fraction.empty()))
        integer = "0";

    std::string number = Grouped(integer, locale.thousandsSeparator.str());
    if (!fraction.empty())
        number += locale.decimalSeparator.str() + fraction;
    if (negative)
        number = WithSign(number, locale.negativeNumberMode);
    if (number.size() >= kNumberBufferChars)
        return false;
    out = CString(std::move(number));
    return true;
}

double ParseLocaleNumber(const CString& text, const CUserLocale& locale)
{
    const std::string s = Trimmed(Normalised(text, locale));
    std::size_t start = 0;
    bool negative = false;
    if (start < s.size() && (s[start] == '+' || s[start] == '-'))
        negative = s[start++] == '-';
    double value = 0.0;
    const auto result = std::from_chars(s.data() + start, s.data() + s.size(), value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}

DateParse ParseLocaleDateTime(const CString& text, const CUserLocale& locale, double& date)
{
    std::vector<int> dateFields, timeFields;
    int meridiem = 0; // 1 AM, 2 PM
    const auto words = Words(text.str());
    if (words.empty())
        return DateParse::TypeMismatch;
    for (const auto& word : words)
    {
        if (EqualsNoCase(word, "AM") || EqualsNoCase(word, "PM"))
        {
            if (meridiem != 0)
                return DateParse::TypeMismatch;
            meridiem = EqualsNoCase(word, "AM") ? 1 : 2;
        }
        else if (word.find(':') != std::string::npos)
        {
            if (!timeFields.empty() || !SplitNumbers(word, ":", timeFields))
                return DateParse::TypeMismatch;
        }
        else if (!dateFields.empty() || !SplitNumbers(word, "/.-", dateFields))
            return DateParse::TypeMismatch;
    }
    if ((!dateFields.empty() && dateFields.size() != 3) || (!timeFields.empty() && timeFields.size() > 3) ||
        (meridiem != 0 && timeFields.empty()))
        return DateParse::TypeMismatch;

    SYSTEMTIME st;
    st.wYear = 1899;
    st.wMonth = 12;
    st.wDay = 30;
    if (!dateFields.empty())
    {
        std::array<int, 3> dmy{};
        const auto order = DateFieldOrder(locale.shortDatePicture);
        for (std::size_t k = 0; k < 3; ++k)
            dmy[std::size_t(order[k])] = dateFields[k];
        int year = dmy[2];
        if (year < 100)
            year += year < 30 ? 2000 : 1900; // two-digit years in the platform's 1930..2029 window
        if (dmy[1] < 1 || dmy[1] > 12 || dmy[0] < 1 || dmy[0] > 31 || year > 9999)
            return DateParse::Overflow;
        st.wYear = WORD(year);
        st.wMonth = WORD(dmy[1]);
        st.wDay = WORD(dmy[0]);
    }
    if (!timeFields.empty())
    {
        timeFields.resize(3, 0);
        int hour = timeFields[0];
        if (meridiem != 0)
        {
            if (hour < 1 || hour > 12)
                return DateParse::Overflow;
            hour = hour % 12 + (meridiem == 2 ? 12 : 0);
        }
        if (hour > 23 || timeFields[1] > 59 || timeFields[2] > 59)
            return DateParse::Overflow;
        st.wHour = WORD(hour);
        st.wMinute = WORD(timeFields[1]);
        st.wSecond = WORD(timeFields[2]);
    }
    const COleDateTime result(st);
    if (result.GetStatus() != COleDateTime::valid)
        return DateParse::Overflow;
    date = result.GetDate();
    return DateParse::Ok;
}

bool ParseLocaleCurrency(const CString& text, const CUserLocale& locale, long long& amount)
{
    std::string s = Trimmed(Normalised(text, locale));
    bool negative = false;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')')
    {
        negative = true;
        s = Trimmed(s.substr(1, s.size() - 2));
    }
    if (!s.empty() && (s.front() == '-' || s.front() == '+'))
    {
        negative = negative != (s.front() == '-');
        s = Trimmed(s.substr(1));
    }
    else if (!s.empty() && s.back() == '-')
    {
        negative = !negative;
        s = Trimmed(s.substr(0, s.size() - 1));
    }
    std::size_t i = 0;
    long long units = 0;
    bool any = false;
    for (; i < s.size() && IsDigit(s[i]); ++i, any = true)
    {
        if (units > (LLONG_MAX / 10 - 9) / 10000)
            return false;
        units = units * 10 + (s[i] - '0');
    }
    long long fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && IsDigit(s[i]); ++i, any = true)
        {
            if (fractionDigits < 4)
            {
                fraction = fraction * 10 + (s[i] - '0');
                ++fractionDigits;
            }
            else if (fractionDigits++ == 4)
                roundUp = s[i] >= '5';
        }
    if (!any || i != s.size())
        return false;
    for (int k = std::min(fractionDigits, 4); k < 4; ++k)
        fraction *= 10;
    amount = units * 10000 + fraction + (roundUp ? 1 : 0);
    if (negative)
        amount = -amount;
    return true;
}
} // namespace ugtext
