#pragma once
// CUGCheckBoxType: shows a cell's number as a check box (square or round, plain or 3-D, with a
// cross or a tick) with the cell's label beside it, and toggles the number on a click in the box
// or on the space bar. 0 or less is clear, above 0 set, above 1 the third state.
#include "grid/CUGCell.h"
#include "grid/CUGCellType.h"
#include "platform/framework/windows/GdiObjects.h"

// Cell-type style bits of a check box cell.
inline constexpr long UGCT_CHECKBOX3DRECESS = 0x0100;
inline constexpr long UGCT_CHECKBOX3DRAISED = 0x0200;
inline constexpr long UGCT_CHECKBOXROUND = 0x0400;
inline constexpr long UGCT_CHECKBOXUSEALIGN = 0x0800; // box alone, placed by the alignment
inline constexpr long UGCT_CHECKBOXCHECKMARK = 0x1000;
inline constexpr long UGCT_CHECKBOX3STATE = 0x2000;
inline constexpr long UGCT_CHECKBOXDISABLED = 0x4000;

// Notification raised when a click or the space bar changed the value; parameter the new value.
inline constexpr LONG UGCT_CHECKBOXSET = 53;

class CUGCheckBoxType : public CUGCellType
{
public:
    CUGCheckBoxType();

    CString GetName() const override { return "CheckBox"; }
    const UGTypeGuid& GetTypeGuid() const override;
    BOOL OnLClicked(int col, int row, int updn, RECT* rect, POINT* point) override;
    BOOL OnDClicked(int col, int row, RECT* rect, POINT* point) override;
    BOOL OnCharDown(int col, int row, UINT* character) override;
    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override;
    void GetBestSize(CDC* dc, CSize* size, CUGCell* cell) override;

    // The box of a cell inside the rectangle; *size receives the box size (may be below 6: no box).
    static CRect BoxRect(const RECT& rect, CUGCell* cell, int* size);

protected:
    // Draws the cell; a colour pen, when given, replaces the black pen of the plain square
    // outline and of a set mark on a cell that is not highlighted, and drops the second circle.
    void DrawCheckBox(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current,
                      CPen* colourPen);

private:
    // Steps the value of the cell; false when the cell may not change.
    bool Toggle(int col, int row, bool clicked);

    CPen m_lightPen;
    CPen m_shadowPen;
    CPen m_facePen;
    CBrush m_hatchBrush; // no handle when its creation failed
    CUGCell m_cell;
};
