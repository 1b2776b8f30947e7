#pragma once
// Money as the demand tables count and show it, held in one place: a price as the user typed it,
// the currency the user chose for the session, and amounts with the one number of decimals the
// user's locale gives money.
#include "platform/framework/CString.h"

class CEnergyCosts;

// The decimal a price was typed as, from the single-precision number stored for it: the shortest
// decimal that reads back as the stored number (0.21, not 0.2099999934).
double TypedPrice(float stored);

// The currency of a session's costs, at the logger's price as at its tariff: the tariff's when
// the user set one, else the user locale's.
CString SessionCurrency(const CEnergyCosts& tariff);

// The currency followed by the amount rounded to the locale's decimals of money, with the
// user's separators, grouping and negative form; a non-finite amount counts as 0.
CString FormatMoney(const CString& currency, double amount);
