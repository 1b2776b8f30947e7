#include "datamodel/ProgressThread.h"

#include "datamodel/RecordingProgressDialog.h"

namespace {

CProgressThread::DialogFactory& Factory()
{
    static CProgressThread::DialogFactory factory;
    return factory;
}

} // namespace

CProgressThread::~CProgressThread()
{
    Finish();
}

void CProgressThread::SetDialogFactory(DialogFactory factory)
{
    Factory() = std::move(factory);
}

void CProgressThread::SetRange(int lo, int hi)
{
    m_lo = lo;
    m_hi = hi;
}

void CProgressThread::StartDialog(UINT stringId, const CString& text)
{
    Finish();
    CString format;
    format.LoadString(stringId);
    const CString caption = CString::Formatted(format.GetString(), text);
    m_dialog = Factory() ? Factory()() : nullptr;
    if (!m_dialog)
        m_dialog = std::make_unique<CRecordingProgressDialog>();
    m_dialog->Show(caption);
}

void CProgressThread::SetPercent(int percent)
{
    if (!m_dialog)
        return;
    const int position = m_hi < m_lo ? percent : m_lo + (m_hi - m_lo) * percent / 100;
    m_dialog->SetPos(position);
}

BOOL CProgressThread::IsCanceled() const
{
    return m_dialog && m_dialog->IsCanceled() ? TRUE : FALSE;
}

void CProgressThread::Finish()
{
    if (!m_dialog)
        return;
    m_dialog->Close();
    m_dialog.reset();
}
