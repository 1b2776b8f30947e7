#include "platform/framework/windows/CDialogBar.h"

#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/QtBridge.h"
#include "platform/framework/windows/TemplateControls.h"

#include <utility>

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace
{
// Enables and checks one control of the bar from the update-UI pass.
class CDialogControlCmdUI : public CCmdUI
{
public:
    CWnd* control = nullptr;
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        control->EnableWindow(on);
    }
    void SetCheck(int check) override { control->SendMessage(BM_SETCHECK, WPARAM(check)); }
    void SetText(LPCTSTR text) override { control->SetWindowText(text ? text : ""); }
};
} // namespace

CDialogBar::CDialogBar() = default;
CDialogBar::~CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id)
{
    auto t = LoadDialogTemplate(templateId);
    if (!t || !parent) return FALSE;
    t = FitPickersToTheirTexts(std::move(*t));
    m_dwStyle = style & CBRS_ALIGN_ANY ? style & 0xFFFF : (style & 0xFFFF) | CBRS_TOP;
    const CRect size = DialogUnitsToPixels(CRect(0, 0, t->size.cx, t->size.cy));
    m_sizeDefault = size.Size();
    if (!CWnd::Create(nullptr, nullptr, (style & ~0xFFFFu) | WS_CHILD, size, parent, id)) return FALSE;
    m_font = MakeTemplateFont(*t);
    SendMessage(WM_SETFONT, WPARAM(m_font->m_hObject), FALSE);
    CreateTemplateControls(*this, *t, m_font.get());
    if (auto* frame = dynamic_cast<CFrameWnd*>(parent)) frame->RecalcLayout();
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL stretch, BOOL)
{
    return CSize(stretch ? 32767 : m_sizeDefault.cx, m_sizeDefault.cy);
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    CDialogControlCmdUI ui;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
    {
        const int id = child->GetDlgCtrlID();
        // Only buttons are commands; static texts and fields keep their state.
        if (id <= 0 || id == 0xFFFF || child->Impl()->controlClass != QLatin1String("BUTTON") ||
            (child->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX)
            continue;
        ui.control = child;
        ui.m_nID = UINT(id);
        ui.DoUpdate(target, disableIfNoHandler);
    }
}
