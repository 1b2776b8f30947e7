#pragma once
// The user's regional preferences, kept in the profile section "prefs".
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <array>
#include <map>

class CRegionPrefs
{
public:
    static constexpr const char* kSection = "prefs";
    // 0: phases named A, B, C; any other value: L1, L2, L3. The value also chooses the colour
    // scheme; kDistinctColorRegion gives every channel a colour of its own.
    static constexpr const char* kPhaseNamingEntry = "Region";
    static constexpr int kDistinctColorRegion = 6;

    // Phase names 0..2 by the region flag, then the neutral's ("N") and the ground's ("G").
    static void LoadPhaseNames(std::array<CString, 5>& names);

    static bool IsDistinctColorMode();

    // The distinct-colour scheme: a key keeps the palette slot it was first given; every new key
    // takes the next slot.
    static int GetPaletteSlot(int key);
    // Starts again with the first slot and forgets every key.
    static void ResetPaletteAssignment();

    // The colour of phase slot 0..3 (the three phases and the total) in the user's region.
    static COLORREF GetPhaseColor(int slot);
    // The colour of a slot of the distinct-colour palette (slots beyond it wrap round).
    static COLORREF GetPaletteColor(int slot);

private:
    static inline int s_nextPaletteSlot = 0;
    static inline std::map<int, int> s_paletteSlots;
};
