// What the graph view tells its table views about the time range.
#include "study/BasicGraphView.h"

bool CBasicGraphView::GetSelectedTimeRange(int session, CHighTime& begin, CHighTime& end) const
{
    if (!m_markers.IsShown())
        return false;
    begin = CHighTime::FromDate(m_markers.GetBegin(session));
    end = CHighTime::FromDate(m_markers.GetEnd(session));
    return true;
}
