#include "datamodel/CalculationValidRatio.h"

#include "platform/framework/Profile.h"

#include <algorithm>

double GetCalculationValidRatio()
{
    constexpr int kDefaultValidPercent = 95;
    const int percent = CProfile::Instance().GetProfileInt("Settings", "CalculationValidRatio", kDefaultValidPercent);
    return std::clamp(percent, 0, 100) / 100.0;
}
