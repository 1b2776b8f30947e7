#include "project/ECDateTimeCtrl.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"

void CECDateTimeCtrl::SetInvalid(bool invalid)
{
    if (m_invalid == invalid)
        return;
    m_invalid = invalid;
    Invalidate();
}

COLORREF CECDateTimeCtrl::GetBackgroundColor() const
{
    return m_invalid ? kInvalidColor : GetSysColor(COLOR_WINDOW);
}

BOOL CECDateTimeCtrl::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, GetBackgroundColor());
    return TRUE;
}
