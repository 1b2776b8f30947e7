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

void CProgressThread::Finish()
{
    if (!m_dialog)
        return;
    m_dialog->Close();
    m_dialog.reset();
}
