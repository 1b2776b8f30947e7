#pragma once
// The currency the demand tables count a session's money in (prices are read back as typed with
// TypedDecimal, amounts shown with LocaleMoneyText).
#include "platform/framework/CString.h"

class CEnergyCosts;

// The currency of a session's costs, at the logger's price as at its tariff: the tariff's when
// the user set one, else the user locale's.
CString SessionCurrency(const CEnergyCosts& tariff);
