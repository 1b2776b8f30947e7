#pragma once
// Conversions between cell values and their text under the user's locale: numbers, date-times
// and currency amounts.
#include "platform/framework/CString.h"
#include "platform/framework/UserLocale.h"

namespace ugtext
{
// The shortest plain text ("-12.5", "0.1", "100") that reads back as the same double; never an
// exponent. Non-finite values give "nan", "inf" or "-inf".
CString ShortestFixed(double value);
// The value printed with exactly `decimals` digits after the point (locale-independent).
CString FixedDecimals(double value, int decimals);
// Lays out a plain number text ("-1234.5", ".5") in the locale's number format with `digits`
// digits after the decimal separator, grouping by threes; false when the text is no plain number
// or the result would not fit the 256-character buffer.
bool FormatLocaleNumber(const CString& plain, int digits, const CUserLocale& locale, CString& out);
// Removes thousands separators and currency symbol, reads the locale's decimal separator and
// converts the leading number; 0.0 when nothing parses.
double ParseLocaleNumber(const CString& text, const CUserLocale& locale);

enum class DateParse
{
    Ok,
    TypeMismatch, // not a date-time at all
    Overflow      // looks like one but a field is out of range
};
// Reads a date, a time or both in the locale's short-date order; the result is an OLE date
// (days since 1899-12-30, time of day as the fraction).
DateParse ParseLocaleDateTime(const CString& text, const CUserLocale& locale, double& date);
// Reads a currency amount in units of 1/10000; false when the text is no amount.
bool ParseLocaleCurrency(const CString& text, const CUserLocale& locale, long long& amount);
} // namespace ugtext
