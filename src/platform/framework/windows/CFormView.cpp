#include "platform/framework/windows/CFormView.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/DataExchange.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/TemplateControls.h"

#include <utility>

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT templateId) : m_nIDHelp(templateId) {}
CFormView::~CFormView() = default;

BOOL CFormView::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       void* context)
{
    auto t = m_nIDHelp ? LoadDialogTemplate(m_nIDHelp) : std::optional<DialogTemplate>(DialogTemplate{});
    if (!t) return FALSE;
    t = FitPickersToTheirTexts(std::move(*t));
    if (!CScrollView::Create(className, windowName, style | WS_CHILD, rect, parent, id, context)) return FALSE;
    m_font = MakeTemplateFont(*t);
    SendMessage(WM_SETFONT, WPARAM(m_font->m_hObject), FALSE);
    CreateTemplateControls(*this, *t, m_font.get());
    const CRect size = DialogUnitsToPixels(CRect(0, 0, t->size.cx, t->size.cy));
    SetScrollSizes(MM_TEXT, size.Size());
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::DoDataExchange(CDataExchange*) {}

BOOL CFormView::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try
    {
        DoDataExchange(&dx);
    }
    catch (const CUserException&)
    {
        return FALSE;
    }
    return TRUE;
}

BOOL CFormView::OnEraseBkgnd(CDC* dc)
{
    CRect r;
    GetClientRect(&r);
    dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
