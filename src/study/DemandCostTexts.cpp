#include "study/DemandCostTexts.h"

#include "datamodel/ValueFormatter.h"
#include "platform/framework/LocaleNumber.h"
#include "study/DemandStrings.h"
#include "study/TableStrings.h"
#include "views/MyFont.h"

#include <cmath>

namespace {

constexpr char kAmountFont[] = "<:F,Tahoma,18,700>";
constexpr char kSmallScript[] = "<:S>";
constexpr char kNormalScript[] = "<:N>";
// The parts of the amount are named as the panel's prices are: a single letter beside an amount
// reads as a second currency mark (a small "f" as a florin).
constexpr char kForwardScript[] = "fwd";
constexpr char kReverseScript[] = "rev";
constexpr char kTotalScript[] = "tot";

CString Scripted(const char* script)
{
    return CString(kSmallScript) + script + kNormalScript;
}

CString Money(const CString& currency, double amount)
{
    return LocaleMoneyText(amount, currency, CUserLocale::Current());
}

} // namespace

CString BuildCostAmountText(double forwardCost, double reverseCost, const CString& currency)
{
    const double f = std::isfinite(forwardCost) ? forwardCost : 0.0;
    const double r = std::isfinite(reverseCost) ? reverseCost : 0.0;
    CString text = kAmountFont;
    if (f != 0.0)
        text += Money(currency, f) + Scripted(kForwardScript);
    // A negative reverse cost (returned energy the tariff charges for) adds to the total: it is
    // joined with a plus, never as the subtraction of a negative amount.
    if (r != 0.0)
        text += (r > 0.0 ? " - " : " + ") + Money(currency, std::fabs(r)) + Scripted(kReverseScript);
    if (f != 0.0 && r != 0.0)
        text += " = " + Money(currency, f - r) + Scripted(kTotalScript);
    if (f == 0.0 && r == 0.0)
        text += Money(currency, 0.0) + Scripted(kTotalScript);
    return text;
}

CString BuildPriceLine(const CValueFormatter& formatter, double forwardPrice, double reversePrice,
                       const CString& currency, bool tariff)
{
    // The price as typed (to the decimals the tariff dialog takes) with the currency where the
    // amounts have it, then per kWh.
    constexpr int kPriceDecimals = 6;
    const auto price = [&](double value) {
        return PlaceCurrency(formatter.FormatNumber(value, kPriceDecimals), currency, CUserLocale::Current());
    };
    const CString forward = price(forwardPrice) + LoadTableString(demandstr::kPerKWhForward);
    const CString reverse = price(reversePrice) + LoadTableString(demandstr::kPerKWhReverse);
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
