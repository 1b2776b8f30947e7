#include "report/AutoReportProgress.h"

namespace {

constexpr UINT kProcessingFormat = 6020;

} // namespace

CAutoReportProgress::CAutoReportProgress(CWnd* owner) : m_owner(owner)
{
    m_format.LoadString(kProcessingFormat);
    if (!Create(kTemplateId, owner))
        return;
    m_bar.SubclassDlgItem(kBarId, this);
    CenterWindow(owner);
    if (m_owner)
        m_owner->EnableWindow(FALSE);
    EnableWindow(TRUE);
}

CAutoReportProgress::~CAutoReportProgress()
{
    End();
}

void CAutoReportProgress::Begin(int low, int high, int /*step: the run sets every position itself*/)
{
    if (!GetSafeHwnd())
        return;
    m_bar.SetRange(low, high);
    m_bar.SetPos(low);
    ShowWindow(SW_SHOW);
}

bool CAutoReportProgress::Item(int number, int count)
{
    if (GetSafeHwnd()) {
        CString text;
        text.Format(m_format, m_itemName, number, count);
        SetDlgItemText(kTextId, text);
    }
    return m_goOn;
}

bool CAutoReportProgress::Step(const CString& name, int position)
{
    m_itemName = name;
    if (GetSafeHwnd())
        m_bar.SetPos(position);
    return m_goOn;
}

void CAutoReportProgress::End()
{
    if (m_owner)
        m_owner->EnableWindow(TRUE);
    if (GetSafeHwnd()) {
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
}

void CAutoReportProgress::OnCancel()
{
    m_goOn = false;
}
