#pragma once
// Numbers as the user types and reads them, with the user's regional settings: the one rule by
// which every field of the program reads a typed number, and the one place where a number or an
// amount becomes the text a user reads. The texts never depend on the C library's locale (the
// toolkit sets it to the desktop's); texts written into files have their own, locale-free forms.
#include "platform/framework/CString.h"
#include "platform/framework/UserLocale.h"

#include <functional>

// Reads the whole text as a number: blanks around it, a sign, the digits (grouped in threes by
// the thousands separator, or not grouped at all), the decimal separator with the fraction and
// an exponent ("1e6"); the currency symbol may stand before or after it. Anything else makes the
// text no number: a separator of the other convention ("230,5" where the point is the decimal
// separator) is neither dropped nor taken for the decimal separator. False for such a text and
// for a value beyond the doubles.
bool ReadLocaleNumber(const CString& text, const CUserLocale& locale, double& value);

// How a number is laid out: `decimals` digits after the separator, the trailing zeros of the
// fraction dropped or kept, the integer digits grouped in threes or not.
struct SNumberLayout
{
    int decimals = 6;
    bool trimmed = true;
    bool grouped = false;
};

// The value as the locale writes it in that layout ("1,000,000", "0,5", "-2.25"); a value that
// rounds to zero has no sign. Not finite: empty.
CString LocaleNumberText(double value, const SNumberLayout& layout, const CUserLocale& locale);

// The value as the locale writes it: grouped in threes, with at most `decimals` decimals, the
// trailing zeros of the fraction dropped ("1,000,000", "0.5", "-2.25").
CString ShowLocaleNumber(double value, int decimals, const CUserLocale& locale);

// The shortest text of the value in the locale (no grouping, no exponent) whose reading gives a
// number `readsBack` takes: what a field shows of the number it holds, so that the field reads
// its own text back to that number ("123456.79" for the single-precision 123456.789). Not
// finite: empty.
CString ShortestLocaleNumber(double value, const std::function<bool(double)>& readsBack, const CUserLocale& locale);
// The shortest text that reads back to exactly the double.
CString ShortestLocaleNumber(double value, const CUserLocale& locale);
// The shortest text that reads back to the single-precision number ("0.21" for 0.21f).
CString ShortestLocaleFloat(float value, const CUserLocale& locale);

// The decimal a single-precision number was typed as: the shortest decimal that reads back as it
// (0.21, not 0.2099999934).
double TypedDecimal(float stored);

// A number text with the currency where the locale puts it ("$0.21", "0,21 €"); a currency
// written in letters ("EUR") always stands apart from the number.
CString PlaceCurrency(const CString& number, const CString& currency, const CUserLocale& locale);
// An amount of money: rounded to the locale's decimals of money, grouped, with the locale's
// negative form and the currency in its place ("-$1,234.50", "1.234,50 €"). A non-finite
// amount counts as 0; one that rounds to nothing has no sign.
CString LocaleMoneyText(double amount, const CString& currency, const CUserLocale& locale);
