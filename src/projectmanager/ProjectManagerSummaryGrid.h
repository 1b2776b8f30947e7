#pragma once
// CProjectManagerSummaryGrid: the one card of the project summary (client, location,
// description) with the buttons that add a session and add saved screens.
#include "projectmanager/ProjectManagerBasicGrid.h"

class CProjectManagerSummaryGrid : public CProjectManagerBasicGrid
{
public:
    static constexpr UINT kHoverTimer = 1001;

    CProjectManagerSummaryGrid(CGridViewBase* parentView, int records, bool singleRecord);

    void Fill(const SProjectManagerContent& content, CProjectManagerSettings& settings, int index) override;
    void StoreStates(CProjectManagerSettings& settings) const override;
    void RestoreStates(const CProjectManagerSettings& settings) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled) override;

protected:
    const SCardLayout& CardLayout() const override;
    const SCardLayout& SingleRecordLayout() const override;
    void OnButton(int section, int button) override;

private:
    CProjectManagerSettings* m_settings = nullptr;
};
