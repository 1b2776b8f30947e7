#pragma once
// CUGCellType: how cells of a type look and answer the user. The base is itself the normal cell
// type: border, background, bitmap and text with the cell's alignment, colours and font; plain
// left-aligned text may run on into empty cells to its right. Other types derive from it and
// reuse its drawing steps.
#include "grid/UGDefs.h"
#include "platform/framework/CString.h"
#include "platform/framework/windows/Geometry.h"

#include <array>

class CBitmap;
class CDC;
class CUGCell;
class CUGCtrl;

// The fixed identifier of a cell type.
using UGTypeGuid = std::array<BYTE, 16>;

// Cell-type style bits read by the normal type.
inline constexpr long UGCT_NORMALSINGLELINE = 0x0001;
inline constexpr long UGCT_NORMALMULTILINE = 0x0002;
inline constexpr long UGCT_NORMALELLIPSIS = 0x0004;
inline constexpr long UGCT_NORMALLABELTEXT = 0x0008;
inline constexpr long UGCT_DISABLED = 0x4000;
// Text colour of disabled cells.
inline constexpr COLORREF UG_DISABLED_TEXT_COLOR = 0x8C8C8C;

class CUGCellType
{
public:
    CUGCellType() = default;
    CUGCellType(const CUGCellType&) = delete;
    CUGCellType& operator=(const CUGCellType&) = delete;
    virtual ~CUGCellType() = default;

    // ---- drawing steps that derived types reuse
    // Draws the bitmap at the left of the rectangle; answers the width used (margins included).
    virtual int DrawBitmap(CDC* dc, CBitmap* bitmap, RECT* rect, COLORREF backColor);
    // Draws the cell's border into rect and writes the rectangle left inside it to rectOut
    // (rect and rectOut may be the same). The border pen stays selected.
    virtual void DrawBorder(CDC* dc, RECT* rect, RECT* rectOut, CUGCell* cell);
    // Background, bitmap and text of the cell; a negative offset draws text running in from the left.
    virtual void DrawText(CDC* dc, RECT* rect, int offset, int col, int row, CUGCell* cell, int selected, int current);
    virtual void DrawBackground(CDC* dc, RECT* rect, COLORREF backColor, int row, int col, CUGCell* cell, int current,
                                int selected);
    // For an empty cell that text from a cell to the left runs into: the (negative) offset of that
    // text, with *startCol and *scratch set to the start cell; else 0.
    virtual int GetOverflowOffset(CDC* dc, int col, int row, int* startCol, CUGCell* scratch);

    virtual CString GetName() const { return "Normal Cell Type (default)"; }
    virtual const UGTypeGuid& GetTypeGuid() const;
    // The part of the cell rectangle an editor may use; 0 when unchanged.
    virtual int GetEditArea(RECT* /*rect*/) { return 0; }
    virtual int SpareQueryA(long /*a*/, long /*b*/) { return -1; }
    virtual int SpareQueryB(long /*a*/, long /*b*/) { return -1; }

    // ---- input; non-zero answers mean the type handled it (updn: 1 button down, 0 up)
    virtual BOOL OnLClicked(int /*col*/, int /*row*/, int /*updn*/, RECT* /*rect*/, POINT* /*point*/) { return FALSE; }
    virtual BOOL OnRClicked(int /*col*/, int /*row*/, int /*updn*/, RECT* /*rect*/, POINT* /*point*/) { return FALSE; }
    virtual BOOL OnDClicked(int /*col*/, int /*row*/, RECT* /*rect*/, POINT* /*point*/) { return FALSE; }
    // A type that handles the key may set *vcKey to 0.
    virtual BOOL OnKeyDown(int /*col*/, int /*row*/, UINT* /*vcKey*/) { return FALSE; }
    virtual BOOL OnKeyUp(int /*col*/, int /*row*/, UINT* /*vcKey*/) { return FALSE; }
    virtual BOOL OnCharDown(int /*col*/, int /*row*/, UINT* /*character*/) { return FALSE; }
    virtual BOOL OnMouseMove(int /*col*/, int /*row*/, POINT* /*point*/, UINT /*flags*/) { return FALSE; }

    // ---- drawing entry points
    virtual void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current);
    // Non-zero when the type drew the current cell's focus itself.
    virtual BOOL OnDrawFocusRect(CDC* /*dc*/, RECT* /*rect*/, int /*col*/, int /*row*/) { return FALSE; }
    // Draws the cell into a rectangle of any size, scaling font, margins and bitmaps to it.
    virtual void DrawScaled(CDC* dc, RECT* rect, int col, int row, CUGCell* cell);

    // ---- state changes
    virtual void OnSetFocus(int /*col*/, int /*row*/, CUGCell* /*cell*/) {}
    virtual void OnKillFocus(int /*col*/, int /*row*/, CUGCell* /*cell*/) {}
    virtual void OnChangedCellWidth(int /*col*/, int /*row*/, int* /*width*/) {}
    virtual void OnChangingCellWidth(int /*col*/, int /*row*/, int* /*width*/) {}
    virtual void OnChangedCellHeight(int /*col*/, int /*row*/, int* /*height*/) {}
    virtual void OnChangingCellHeight(int /*col*/, int /*row*/, int* /*height*/) {}
    // The size the cell's content needs; *size comes in as the cell's own size.
    virtual void GetBestSize(CDC* dc, CSize* size, CUGCell* cell);
    virtual void OnViewEdgeChange(int /*col*/, int /*row*/, CUGCell* /*cell*/) {}
    virtual int OnSystemColorChange() { return 0; }
    virtual LRESULT OnTypeQuery(LPARAM /*value*/) { return 0; }
    // Raises the control's OnCellTypeNotify with the type's ID.
    virtual BOOL NotifyControl(int id, int col, int row, LONG msg, LPARAM param);

    void SetID(int id) { m_ID = id; }
    int GetID() const { return m_ID; }
    void SetControl(CUGCtrl* ctrl) { m_ctrl = ctrl; }
    CUGCtrl* GetControl() const { return m_ctrl; }
    // In-place editing starts only on cells of a text-editable type.
    BOOL IsTextEditable() const { return m_textEditable; }
    BOOL MayOverflow() const { return m_mayOverflow; }
    // Whether the cell's text may run on into empty cells to its right.
    BOOL CellMayOverflow(CUGCell* cell) const;

protected:

    bool m_visualStyleFixed = false; // when false each draw takes the choice from the cell's state byte
    bool m_useVisualStyle = true;
    BOOL m_textEditable = TRUE;
    BOOL m_drawLabel = FALSE; // DrawText shows the label instead of the value
    BOOL m_mayOverflow = TRUE;
    CUGCtrl* m_ctrl = nullptr;
    int m_ID = -1;
};
