#pragma once
// The progress dialog without a display: it records what it was told, and can be told to report
// a cancel, so that the work that drives it can be checked.
#include "datamodel/IProgressDialog.h"

#include <memory>
#include <vector>

// What one dialog saw; shared so that it outlives the dialog.
struct SProgressRecord
{
    int showCount = 0;
    int closeCount = 0;
    CString caption;
    std::vector<int> positions;
    // The dialog reports a cancel once this many positions were set (-1: never).
    int cancelAfterPositions = -1;
};

class CRecordingProgressDialog final : public IProgressDialog
{
public:
    explicit CRecordingProgressDialog(std::shared_ptr<SProgressRecord> record = nullptr);

    void Show(const CString& caption) override;
    void SetPos(int position) override;
    bool IsCanceled() const override;
    void Close() override;

    const SProgressRecord& GetRecord() const { return *m_record; }

private:
    std::shared_ptr<SProgressRecord> m_record;
};
