#include "mainview/MainViewSectionWindows.h"

#include "mainview/MainViewLayout.h"
#include "mainview/ViewSelectorCheck.h"
#include "views/SplitFrame.h"
#include "views/VisualFramework.h"

CWnd* CMainViewSectionWindows::GetSectionView(int entry) const
{
    const TVisualObject* object = m_layout.GetObject(entry);
    auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
    return frame ? frame->GetView() : nullptr;
}

void CMainViewSectionWindows::MarkViewSelectors(bool loadStudy, UINT command) const
{
    if (loadStudy)
        MarkLoadViewSelectors(m_layout, command);
    else
        MarkEnergyViewSelectors(m_layout, command);
}
