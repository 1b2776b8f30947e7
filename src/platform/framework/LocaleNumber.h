#pragma once
// Numbers as the user types and reads them, with the user's regional settings: the one rule by
// which every field of the program reads a typed number.
#include "platform/framework/CString.h"
#include "platform/framework/UserLocale.h"

// Reads the whole text as a number: blanks around it, a sign, the digits (grouped in threes by
// the thousands separator, or not grouped at all), the decimal separator with the fraction and
// an exponent ("1e6"); the currency symbol may stand before or after it. Anything else makes the
// text no number: a separator of the other convention ("230,5" where the point is the decimal
// separator) is neither dropped nor taken for the decimal separator. False for such a text and
// for a value beyond the doubles.
bool ReadLocaleNumber(const CString& text, const CUserLocale& locale, double& value);

// The value as the locale writes it: grouped in threes, with at most `decimals` decimals, the
// trailing zeros of the fraction dropped ("1,000,000", "0.5", "-2.25").
CString ShowLocaleNumber(double value, int decimals, const CUserLocale& locale);
