#pragma once
// Texts of the demand tables' cost area: the amount cell's rich text and the "Cost:" lines of the
// information panel, amounts and prices with the currency where the user's locale puts it.
#include "platform/framework/CString.h"

class CValueFormatter;

// The amount cell: forward and reverse cost with their scripts and, when both are there, their
// difference; non-finite costs count as 0.
CString BuildCostAmountText(double forwardCost, double reverseCost, const CString& currency);

// The "Cost:" label and value line of the panel from a forward and a reverse price per kWh; the
// tariff's line ends with ";..." because its ratios price parts of the day differently.
CString BuildPriceLine(const CValueFormatter& formatter, double forwardPrice, double reversePrice,
                       const CString& currency, bool tariff);

// Font tags of the panel texts (empty while the shared fonts do not exist).
CString DemandLabelTag();
CString DemandValueTag();
