#include "study/Money.h"

#include "datamodel/LocaleCurrency.h"
#include "platform/framework/UserLocale.h"
#include "project/EnergyCosts.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::string GroupDigits(const std::string& digits, const std::string& separator)
{
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += separator;
        grouped += digits[i];
    }
    return grouped;
}

// A currency written as letters ("EUR") stands apart from the amount after it; a sign ("$") does not.
CString CurrencyBeforeAmount(const CString& currency)
{
    const bool letters = !currency.IsEmpty() && std::isalpha(static_cast<unsigned char>(currency[currency.GetLength() - 1]));
    return letters ? currency + " " : currency;
}

} // namespace

double TypedPrice(float stored)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, stored);
    double typed = double(stored);
    if (written.ec == std::errc())
        std::from_chars(text, written.ptr, typed);
    return typed;
}

CString SessionCurrency(const CEnergyCosts& tariff)
{
    return tariff.IsEnabled() ? CString(tariff.GetCurrency()) : GetLocaleCurrencySymbol();
}

CString FormatMoney(const CString& currency, double amount)
{
    if (!std::isfinite(amount))
        amount = 0.0;
    const CUserLocale& locale = CUserLocale::Current();
    const int decimals = locale.currencyDigits;
    std::string text(std::size_t(std::snprintf(nullptr, 0, "%.*f", decimals, amount)), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, amount);
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    // An amount that rounds to nothing has no sign.
    if (text.find_first_not_of("0.") == std::string::npos)
        negative = false;
    const auto point = text.find('.');
    std::string integer = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
    if (integer == "0" && !locale.leadingZero && !fraction.empty())
        integer.clear();
    std::string number = GroupDigits(integer, locale.thousandsSeparator.str());
    if (!fraction.empty())
        number += locale.decimalSeparator.str() + fraction;
    if (negative) {
        switch (locale.negativeNumberMode) {
        case 0: number = "(" + number + ")"; break;
        case 2: number = "- " + number; break;
        case 3: number += "-"; break;
        case 4: number += " -"; break;
        default: number = "-" + number; break;
        }
    }
    return CurrencyBeforeAmount(currency) + CString(number.c_str());
}
