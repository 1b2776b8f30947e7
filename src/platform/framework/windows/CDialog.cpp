#include "platform/framework/windows/CDialog.h"

#include "platform/framework/windows/DataExchange.h"
#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/FieldRefusal.h"
#include "platform/framework/windows/FocusReturn.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/framework/windows/TemplateControls.h"
#include "platform/framework/windows/WindowBridge.h"

#include <QApplication>
#include <QEventLoop>

#include <glog/logging.h>

#include <utility>

#include <cstring>

namespace
{
CDialog::ModalDriver& Driver()
{
    static CDialog::ModalDriver driver;
    return driver;
}

} // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd) DestroyWindow();
}

CDialog::ModalDriver CDialog::SetModalDriver(ModalDriver driver) { return std::exchange(Driver(), std::move(driver)); }

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent, false);
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* parent)
{
    m_template = std::make_unique<DialogTemplate>(dialogTemplate);
    m_nIDTemplate = dialogTemplate.id;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent, false);
}

BOOL CDialog::InitModalIndirect(const DialogTemplate& dialogTemplate, CWnd* parent)
{
    m_template = std::make_unique<DialogTemplate>(dialogTemplate);
    m_nIDTemplate = dialogTemplate.id;
    m_pParentWnd = parent;
    return TRUE;
}

BOOL CDialog::CreateFromTemplate(CWnd* parent, bool modal)
{
    auto t = m_template ? std::optional<DialogTemplate>(*m_template) : LoadDialogTemplate(m_nIDTemplate);
    if (!t) return FALSE;
    t = FitPickersToTheirTexts(std::move(*t));
    m_modal = modal;
    m_ended = false;
    m_result = 0;
    const bool child = (t->style & WS_CHILD) && parent;
    DWORD style = t->style & ~WS_VISIBLE;
    if (!child) style = (style & ~WS_CHILD) | WS_POPUP;
    CRect rect = DialogUnitsToPixels(CRect(0, 0, t->size.cx, t->size.cy));
    if (!CreateEx(0, "#32770", t->caption, style, rect, parent, 0)) return FALSE;
    WndImpl& impl = *Impl();
    impl.isDialog = !child;
    impl.background = GetSysColor(COLOR_BTNFACE);
    impl.ResizeSurface(impl.ClientRect().size());
    impl.Invalidate(impl.ClientRect(), true);
    if (!child) CenterWindow(parent);
    // A modal dialog blocks the other windows from its first frame on: the window system takes
    // the modality only from a window that is not shown yet.
    if (modal)
        if (QWidget* w = WidgetOf(this)) w->setWindowModality(Qt::ApplicationModal);

    m_font = MakeTemplateFont(*t);
    SendMessage(WM_SETFONT, WPARAM(m_font->m_hObject), FALSE);

    impl.defaultButton = CreateTemplateControls(*this, *t, m_font.get());
    m_defId = impl.defaultButton;
    // A dialog takes the focus to its first control; a bar made from a template (a child of a
    // page being built) leaves the focus where the user has it.
    if (SendMessage(WM_INITDIALOG, 0, 0) && m_hWnd && !child)
        if (CWnd* first = GetNextDlgTabItem(nullptr)) first->SetFocus();
    if (m_hWnd && !child) FitToWorkArea();
    if (m_hWnd && !m_ended && (t->style & WS_VISIBLE || modal)) ShowWindow(SW_SHOW);
    return m_hWnd != nullptr;
}

INT_PTR CDialog::DoModal()
{
    // Without a parent the active window (or the main window) owns the dialog, so that the
    // dialog opens over it and stays in front of it.
    CWnd* owner = m_pParentWnd ? m_pParentWnd->GetTopLevelParent() : nullptr;
    if (WndImpl* active = WndImpl::FromWidget(OwnerWidget(nullptr)); !owner && active) owner = active->owner;
    CWnd* focus = GetFocus();
    m_opener = focus ? focus->m_hWnd : nullptr;
    const CFocusReturn focusBack;
    if (!CreateFromTemplate(owner, true)) return -1;
    const CModalLoop running([this] { EndDialog(IDCANCEL); });
    if (running.Ended()) EndDialog(IDCANCEL);
    if (!m_ended && m_hWnd && Driver()) Driver()(*this);
    if (!m_ended && m_hWnd)
    {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    const int result = m_result;
    DestroyWindow();
    return result;
}

CWnd* CDialog::GetOpener() const { return IsWindow(m_opener) ? CWnd::FromHandle(m_opener) : nullptr; }

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (m_modal)
    {
        if (m_loop) static_cast<QEventLoop*>(m_loop)->quit();
        return;
    }
    ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (TellWaitingRefusalNow(WidgetOf(this))) return;
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
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

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_INITDIALOG)
    {
        *result = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, result);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    if (LOWORD(wParam) == IDOK)
    {
        OnOK();
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL)
    {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void CDialog::OnClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

// A modal dialog destroyed from outside (its owner went away) ends its loop.
void CDialog::OnNcDestroy()
{
    if (m_modal && !m_ended)
    {
        m_result = -1;
        m_ended = true;
    }
    if (m_loop) static_cast<QEventLoop*>(m_loop)->quit();
    CWnd::OnNcDestroy();
}

BOOL CDialog::PreTranslateMessage(MSG*) { return FALSE; }

void CDialog::MapDialogRect(LPRECT rect) const
{
    if (rect) *rect = DialogUnitsToPixels(CRect(rect));
}

CWnd* CDialog::GetNextDlgTabItem(CWnd* control, BOOL previous) const
{
    std::vector<CWnd*> stops;
    for (CWnd* c = GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT))
        if ((c->GetStyle() & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE)) stops.push_back(c);
    if (stops.empty()) return nullptr;
    const auto it = std::find(stops.begin(), stops.end(), control);
    if (it == stops.end()) return previous ? stops.back() : stops.front();
    const std::ptrdiff_t i = it - stops.begin();
    const std::ptrdiff_t n = std::ptrdiff_t(stops.size());
    return stops[std::size_t(((previous ? i - 1 : i + 1) % n + n) % n)];
}

void CDialog::NextDlgCtrl() const
{
    if (CWnd* next = GetNextDlgTabItem(GetFocus())) next->SetFocus();
}

void CDialog::PrevDlgCtrl() const
{
    if (CWnd* prev = GetNextDlgTabItem(GetFocus(), TRUE)) prev->SetFocus();
}

void CDialog::GotoDlgCtrl(CWnd* control)
{
    if (!control) return;
    control->SetFocus();
    if (WndImpl* impl = control->Impl(); impl && impl->controlClass == "EDIT") control->SendMessage(EM_SETSEL, 0, -1);
}

void CDialog::SetDefID(UINT id)
{
    m_defId = id;
    if (Impl()) Impl()->defaultButton = id;
}

DWORD CDialog::GetDefID() const { return MAKELONG(WORD(m_defId), 0x534B); }
