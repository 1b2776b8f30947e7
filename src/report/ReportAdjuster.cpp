#include "report/ReportAdjuster.h"

#include "platform/reportengine/ReportEngine.h"

#include <glog/logging.h>

bool CHideComponents::Adjust(CReportEngine& engine)
{
    for (const CString& name : m_names)
    {
        if (CReportObject* component = engine.FindObject(name))
            component->SetVisible(false);
        else
            LOG(WARNING) << "The report template has no component " << name.str() << " to hide";
    }
    return true;
}
