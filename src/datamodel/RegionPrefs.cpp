#include "datamodel/RegionPrefs.h"

#include "platform/framework/Profile.h"

namespace {

using NameSet = std::array<const char*, 5>;
constexpr NameSet kLetterNames = {"A", "B", "C", "N", "G"};
constexpr NameSet kNumberedNames = {"L1", "L2", "L3", "N", "G"};

} // namespace

void CRegionPrefs::LoadPhaseNames(std::array<CString, 5>& names)
{
    const int region = CProfile::Instance().GetProfileInt(kSection, kPhaseNamingEntry, 0);
    const NameSet& source = region != 0 ? kNumberedNames : kLetterNames;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = source[i];
}

bool CRegionPrefs::IsDistinctColorMode()
{
    return CProfile::Instance().GetProfileInt(kSection, kPhaseNamingEntry, 0) == kDistinctColorRegion;
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
