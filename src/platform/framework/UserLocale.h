#pragma once
// The user's regional settings as the program formats with them: the short-date and time
// pictures in the Windows picture syntax (runs of d, M, y, H, h, m, s, t; literal text in
// apostrophes), the number separators, the currency symbol with the decimals of money and the
// number-format settings.
// Current() reads them once from the user's environment locale (LC_TIME, LC_NUMERIC,
// LC_MONETARY); tests pin a preset with SetForTesting so results never depend on the machine.
#include "platform/framework/CString.h"

#include <optional>
#include <string_view>

struct CUserLocale
{
    CString shortDatePicture;   // e.g. "M/d/yyyy", "dd.MM.yyyy"
    CString timePicture;        // with seconds, e.g. "h:mm:ss tt", "HH:mm:ss"
    CString decimalSeparator;   // e.g. "." or ","
    CString thousandsSeparator; // may be empty (C locale)
    CString currencySymbol;     // e.g. "$", "€"; empty when the locale has none
    int negativeNumberMode = 1; // 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -"
    bool leadingZero = true;    // "0.7" rather than ".7"
    int currencyDigits = 2;     // decimals of money amounts
    bool currencyFirst = true;  // "$1.50" rather than "1,50 €"
    bool currencySpaced = false; // a space between the currency and the amount

    // The settings in force: the test override when one is set, else the environment's.
    static const CUserLocale& Current();
    // Replaces the settings until ResetForTesting; not for use while other threads format.
    static void SetForTesting(const CUserLocale& locale);
    static void ResetForTesting();

    static CUserLocale EnUs();
    static CUserLocale DeDe();
    // The settings of a named POSIX locale ("" = the environment's); none when it is not installed.
    static std::optional<CUserLocale> FromPosixLocale(const char* name);
    // Turns a strftime date or time format into a picture ("%d.%m.%Y" -> "dd.MM.yyyy"); the
    // locale's 12-hour format fills in "%r".
    static CString PictureFromStrftime(std::string_view format, std::string_view twelveHourFormat = "%I:%M:%S %p");
};
