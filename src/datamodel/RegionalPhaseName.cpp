#include "datamodel/RegionalPhaseName.h"

#include "datamodel/RegionPrefs.h"

CString GetPhaseName(int phase)
{
    std::array<CString, 5> names;
    CRegionPrefs::LoadPhaseNames(names);
    return phase >= 0 && phase < int(names.size()) ? names[std::size_t(phase)] : CString();
}
