#pragma once
// CReportContentGrid: a bookmark item of the report: a title bar with the collapse button, the
// bookmark's name and the buttons "Rename", "Restore" and "Remove", and below it the bookmark's
// picture. The title bar drags the item to another place in the report.
#include "projectmanager/PictureCellType.h"
#include "reportpages/ReportBasicGrid.h"

class CSavedScreenCache;

class CReportContentGrid : public CReportBasicGrid
{
public:
    // Width of an item of the report.
    static constexpr int kWidth = 976;

    CReportContentGrid(CGridViewBase* view, CSavedScreenCache& pictures);

    // The bookmark shown: its index, name and picture stream.
    void SetData(int bookmarkIndex, const CStringW& title, const CStringW& pictureStream);
    int GetBookmarkIndex() const { return m_bookmarkIndex; }
    const CStringW& GetEditedName() const { return m_editedName; }
    // The title row's cells of the buttons, for clicks.
    int RenameColumn() const { return 2; }
    int RestoreColumn() const { return 3; }
    int RemoveColumn() const { return 4; }

    // The keyboard goes through the title and, while the item is expanded, its buttons: Left
    // and Right from one to the next, Return or Space collapses or expands the item or presses
    // the button; where it is shows framed. It arrives at the title.
    void FocusHeading();
    bool IsKeyCell(int col, int row) const;
    using CReportBasicGrid::OnKeyDown;
    using CReportBasicGrid::OnSetFocus;
    void OnKeyDown(UINT* vcKey, BOOL processed) override;
    void OnSetFocus(int section) override;
    BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow) override;
    void OnDrawFocusRect(CDC* dc, RECT* rect) override;

protected:
    int ColumnCount() const override { return 5; }
    void SetColumnLayout() override;
    void SetRowHeights() override;
    void FillSectionTitle(int section) override;
    void FillSectionCells(int section) override;
    void FillSectionButtons(int section) override;
    bool IsDragEnabled() const override { return true; }
    void OnButtonClicked(int section, int col, int row) override;
    void OnTextEdited(int col, int row, const CString& text) override;

private:
    CBitmap* Picture() const;

    CSavedScreenCache& m_pictureCache;
    CPictureCellType m_pictureType;
    int m_pictureTypeIndex = -1;
    int m_bookmarkIndex = -1;
    CStringW m_title;
    CStringW m_pictureStream;
    CStringW m_editedName;
};
