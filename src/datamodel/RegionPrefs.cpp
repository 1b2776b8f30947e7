#include "datamodel/RegionPrefs.h"

#include "platform/framework/Profile.h"

#include <algorithm>

namespace {

using NameSet = std::array<const char*, 5>;
constexpr NameSet kLetterNames = {"A", "B", "C", "N", "G"};
constexpr NameSet kNumberedNames = {"L1", "L2", "L3", "N", "G"};

// Phase colours by the region's naming (A, B, C: red, black, blue; L1, L2, L3: brown, black,
// grey as their wiring code colours them), softened where a line on white would vanish, and the
// total in green.
using ColorSet = std::array<COLORREF, 4>;
constexpr ColorSet kLetterColors = {RGB(200, 30, 30), RGB(40, 40, 40), RGB(30, 70, 220), RGB(20, 140, 60)};
constexpr ColorSet kNumberedColors = {RGB(140, 80, 20), RGB(40, 40, 40), RGB(130, 130, 130), RGB(20, 140, 60)};

// Colours far enough apart to tell many channels from one another.
constexpr std::array<COLORREF, 12> kPalette = {
    RGB(31, 119, 180), RGB(255, 127, 14), RGB(44, 160, 44),  RGB(214, 39, 40), RGB(148, 103, 189), RGB(140, 86, 75),
    RGB(227, 119, 194), RGB(127, 127, 127), RGB(188, 189, 34), RGB(23, 190, 207), RGB(0, 0, 128),   RGB(128, 0, 0)};

int Region()
{
    return CProfile::Instance().GetProfileInt(CRegionPrefs::kSection, CRegionPrefs::kPhaseNamingEntry, 0);
}

} // namespace

void CRegionPrefs::LoadPhaseNames(std::array<CString, 5>& names)
{
    const NameSet& source = Region() != 0 ? kNumberedNames : kLetterNames;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = source[i];
}

bool CRegionPrefs::IsDistinctColorMode()
{
    return Region() == kDistinctColorRegion;
}

int CRegionPrefs::GetPaletteSlot(int key)
{
    const auto [entry, added] = s_paletteSlots.try_emplace(key, s_nextPaletteSlot);
    if (added)
        ++s_nextPaletteSlot;
    return entry->second;
}

void CRegionPrefs::ResetPaletteAssignment()
{
    s_nextPaletteSlot = 0;
    s_paletteSlots.clear();
}

COLORREF CRegionPrefs::GetPhaseColor(int slot)
{
    const ColorSet& colors = Region() != 0 ? kNumberedColors : kLetterColors;
    return colors[std::size_t(std::clamp(slot, 0, int(colors.size()) - 1))];
}

COLORREF CRegionPrefs::GetPaletteColor(int slot)
{
    const int count = int(kPalette.size());
    return kPalette[std::size_t(((slot % count) + count) % count)];
}
