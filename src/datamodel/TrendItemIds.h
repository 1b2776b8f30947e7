#pragma once
// Which trend item holds a quantity, and how plotted phases map onto the item's phase slots.
#include "platform/framework/WinTypes.h"

class CMeasurementConfig;

inline constexpr DWORD kNoTrendItem = 121;

// The item id that holds the quantity in the layout of the configuration, for demand or
// averaging records; kNoTrendItem when no item does.
DWORD TrendItemForQuantity(const CMeasurementConfig& config, DWORD quantity, bool demand);

// The phase of the i-th of four plotted phase slots: 0, 1, 2, 5 (-1 outside 0..3).
int PhaseOfSlot(int slot);
// The slot of a phase: 5 (total) -> 3, else the phase itself.
inline constexpr int SlotOfPhase(DWORD phase)
{
    return phase == 5 ? 3 : int(phase);
}

float FloatSqrt(float x);
