#pragma once
#include "platform/framework/CString.h"

// The user locale's currency symbol, shown with energy costs: at most 6 characters, empty when
// the locale has none or a longer one.
CString GetLocaleCurrencySymbol();
