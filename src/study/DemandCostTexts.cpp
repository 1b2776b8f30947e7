#include "study/DemandCostTexts.h"

#include "datamodel/ValueFormatter.h"
#include "platform/framework/UserLocale.h"
#include "study/DemandStrings.h"
#include "study/TableStrings.h"
#include "views/MyFont.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr char kAmountFont[] = "<:F,Tahoma,18,700>";
constexpr char kSmallScript[] = "<:S>";
constexpr char kNormalScript[] = "<:N>";

CString Scripted(const char* script)
{
    return CString(kSmallScript) + script + kNormalScript;
}

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

CString FormatMoney(const CString& currency, double amount)
{
    if (!std::isfinite(amount))
        amount = 0.0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%1.3lf", amount);
    std::string text = buffer;
    if (const auto point = text.find('.'); point != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    if (text == "0")
        return CurrencyBeforeAmount(currency) + "0";
    const CUserLocale& locale = CUserLocale::Current();
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

CString BuildCostAmountText(double forwardCost, double reverseCost, const CString& currency)
{
    const double f = std::isfinite(forwardCost) ? forwardCost : 0.0;
    const double r = std::isfinite(reverseCost) ? reverseCost : 0.0;
    CString text = kAmountFont;
    if (f != 0.0)
        text += FormatMoney(currency, f) + Scripted("f");
    if (r != 0.0)
        text += " - " + FormatMoney(currency, r) + Scripted("r");
    if (f != 0.0 && r != 0.0)
        text += " = " + FormatMoney(currency, f - r) + Scripted("tot");
    if (f == 0.0 && r == 0.0)
        text += FormatMoney(currency, 0.0) + Scripted("tot");
    return text;
}

CString BuildPriceLine(const CValueFormatter& formatter, double forwardPrice, double reversePrice,
                       const CString& currency, bool tariff)
{
    // The price, then its unit: the currency per kWh.
    const CString unit = currency.IsEmpty() ? CString() : " " + currency;
    const CString forward = formatter.FormatNumber(forwardPrice, 3) + unit + LoadTableString(demandstr::kPerKWhForward);
    const CString reverse = formatter.FormatNumber(reversePrice, 3) + unit + LoadTableString(demandstr::kPerKWhReverse);
    CString value;
    value.Format(" %s; %s%s\n", forward.GetString(), reverse.GetString(), tariff ? ";..." : "");
    return DemandLabelTag() + LoadTableString(demandstr::kCost) + DemandValueTag() + value;
}

CString DemandLabelTag()
{
    return CMyFont::SharedFontTag(11, false);
}

CString DemandValueTag()
{
    return CMyFont::SharedFontTag(12, true);
}
