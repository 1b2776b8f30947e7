#pragma once
// The name of a phase as the user's regional preference writes it.
#include "platform/framework/CString.h"

// 0..2 "A", "B", "C" or "L1", "L2", "L3"; 3 "N"; 4 "G"; empty for any other index.
CString GetPhaseName(int phase);
