#pragma once
// CUGDropListType: shows a cell's text with a drop button at its right edge; a click on the
// button, Enter or Ctrl+Down opens a list of the choices held in the cell's label (one per line,
// each ending with a line feed), and the chosen line becomes the cell's text.
#include "grid/CUGCellType.h"
#include "grid/CUGLstBox.h"
#include "platform/framework/windows/GdiObjects.h"

#include <memory>
#include <vector>

// Cell-type style bit: the button shows on the current cell only.
inline constexpr long UGCT_DROPLISTHIDEBUTTON = 0x0200;

// Notifications: the list is about to open (parameter: std::vector<CString>* of the choices, may
// be changed; 0 keeps it closed), a choice is about to be stored (CString* of the text, may be
// changed; 0 stores nothing), a line was chosen (its index), the choice was stored (CString*).
inline constexpr LONG UGCT_DROPLISTSTART = 100;
inline constexpr LONG UGCT_DROPLISTSELECT = 101;
inline constexpr LONG UGCT_DROPLISTSELECTEX = 102;
inline constexpr LONG UGCT_DROPLISTPOSTSELECT = 103;

// The control id of the pop-up list.
inline constexpr UINT UG_ID_DROPLIST = 123;

class CUGDropListType : public CUGCellType
{
public:
    CUGDropListType();
    ~CUGDropListType() override;

    CString GetName() const override { return "DropList"; }
    int GetEditArea(RECT* rect) override;
    void GetBestSize(CDC* dc, CSize* size, CUGCell* cell) override;
    BOOL OnLClicked(int col, int row, int updn, RECT* rect, POINT* point) override;
    BOOL OnDClicked(int col, int row, RECT* rect, POINT* point) override;
    BOOL OnKeyDown(int col, int row, UINT* vcKey) override;
    BOOL OnCharDown(int col, int row, UINT* character) override;
    BOOL OnMouseMove(int col, int row, POINT* point, UINT flags) override;
    void OnKillFocus(int col, int row, CUGCell* cell) override;
    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override;

    // The choices of a label: the text before each line feed.
    static std::vector<CString> SplitChoices(const CString& label);
    // The list window while it exists (null otherwise).
    CUGLstBox* GetListBox() const;

    // The list's column and row: -1 when none, -2 just after it closed without a choice.
    int m_btnCol = -1;
    int m_btnRow = -1;

private:
    friend class CUGLstBox;
    // Opens the list for the control's current cell.
    void StartDropList();
    void DestroyList();

    CPen m_facePen;
    CBrush m_faceBrush;
    int m_btnWidth = 0;
    BOOL m_btnDown = FALSE;
    CRect m_btnRect;
    std::unique_ptr<CUGLstBox> m_listBox;
    // The cell whose list closed last without a choice: a press on its button closes, not reopens.
    int m_closedCol = -1;
    int m_closedRow = -1;
};
