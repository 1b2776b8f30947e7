#include "study/Money.h"

#include "datamodel/LocaleCurrency.h"
#include "project/EnergyCosts.h"

CString SessionCurrency(const CEnergyCosts& tariff)
{
    return tariff.IsEnabled() ? CString(tariff.GetCurrency()) : GetLocaleCurrencySymbol();
}
