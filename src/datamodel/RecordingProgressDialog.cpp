#include "datamodel/RecordingProgressDialog.h"

CRecordingProgressDialog::CRecordingProgressDialog(std::shared_ptr<SProgressRecord> record)
    : m_record(record ? std::move(record) : std::make_shared<SProgressRecord>())
{
}

void CRecordingProgressDialog::Show(const CString& caption)
{
    ++m_record->showCount;
    m_record->caption = caption;
}

void CRecordingProgressDialog::SetPos(int position)
{
    m_record->positions.push_back(position);
}

bool CRecordingProgressDialog::IsCanceled() const
{
    return m_record->cancelAfterPositions >= 0 &&
           int(m_record->positions.size()) >= m_record->cancelAfterPositions;
}

void CRecordingProgressDialog::Close()
{
    ++m_record->closeCount;
}
