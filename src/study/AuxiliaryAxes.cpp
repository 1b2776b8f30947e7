#include "study/AuxiliaryAxes.h"

#include "datamodel/DataSet.h"
#include "datamodel/QuantityInfo.h"
#include "project/RecDoc.h"
#include "study/BasicGraphView.h"

#include <algorithm>

std::vector<CString> AuxiliaryUnitTexts(const CBasicGraphView& view)
{
    std::vector<CString> units;
    const CRecDoc* document = view.GetDocument();
    if (!document)
        return units;
    for (int session = 0; session < view.GetSessionCount(); ++session) {
        const CDataSet* set = document->GetDataSet(session);
        if (!set || !view.IsSessionCompatible(session))
            continue;
        CQuantityInfo info = view.SessionQuantities(session);
        for (DWORD quantity : {DWORD(51), DWORD(52)}) {
            if (!info.Select(quantity))
                continue;
            const CString unit = info.GetUnitText(CString());
            if (!unit.IsEmpty() && std::find(units.begin(), units.end(), unit) == units.end())
                units.push_back(unit);
        }
    }
    return units;
}
