#pragma once
// The unit texts of the auxiliary inputs a graph shows: one auxiliary Y axis each.
#include "platform/framework/CString.h"

#include <vector>

class CBasicGraphView;

// The distinct, non-empty unit texts of the two auxiliary inputs (quantities 51 and 52), in the
// units the user gave them where a session's scaling replaces the logger's, over the
// sessions compatible with the view's study; empty when no session records an auxiliary input.
std::vector<CString> AuxiliaryUnitTexts(const CBasicGraphView& view);
