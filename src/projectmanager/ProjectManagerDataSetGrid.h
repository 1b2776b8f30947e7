#pragma once
// CProjectManagerDataSetGrid: one card per session with its name, description and notes, and
// its configuration, times and origin texts; buttons for the session settings, the CSV export
// and the removal.
#include "projectmanager/ProjectManagerBasicGrid.h"

#include <vector>

class CProjectManagerDataSetGrid : public CProjectManagerBasicGrid
{
public:
    static constexpr UINT kHoverTimer = 1002;

    CProjectManagerDataSetGrid(CGridViewBase* parentView, int records, bool singleRecord);

    void Fill(const SProjectManagerContent& content, CProjectManagerSettings& settings, int index) override;
    void StoreStates(CProjectManagerSettings& settings) const override;
    void RestoreStates(const CProjectManagerSettings& settings) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled) override;
    void ApplyRowHeights() override;

protected:
    const SCardLayout& CardLayout() const override;
    const SCardLayout& SingleRecordLayout() const override;
    void OnButton(int section, int button) override;
    int BodyRowHeight(int section, int bodyRow) const override;

private:
    // Per card, the height its tallest information text needs at the columns' widths.
    void MeasureInfoTexts();

    CProjectManagerSettings* m_settings = nullptr;
    std::vector<int> m_infoHeights;
};
