#pragma once
// CUGCellType: how cells of a type look and answer the user; the base is the normal cell type.
// This holds the operations the control itself calls; drawing and input handling of the types
// are added with the child windows.
#include "grid/UGDefs.h"
#include "platform/framework/CString.h"
#include "platform/framework/windows/Geometry.h"

class CDC;
class CUGCell;
class CUGCtrl;

class CUGCellType
{
public:
    CUGCellType() = default;
    CUGCellType(const CUGCellType&) = delete;
    CUGCellType& operator=(const CUGCellType&) = delete;
    virtual ~CUGCellType() = default;

    virtual CString GetName() const { return "Normal Cell Type (default)"; }
    // Non-zero when the type drew the current cell's focus itself.
    virtual BOOL OnDrawFocusRect(CDC* /*dc*/, RECT* /*rect*/, int /*col*/, int /*row*/) { return FALSE; }
    virtual void OnSetFocus(int /*col*/, int /*row*/, CUGCell* /*cell*/) {}
    virtual void OnKillFocus(int /*col*/, int /*row*/, CUGCell* /*cell*/) {}
    virtual void OnChangedCellWidth(int /*col*/, int /*row*/, int* /*width*/) {}
    virtual void OnChangingCellWidth(int /*col*/, int /*row*/, int* /*width*/) {}
    virtual void OnChangedCellHeight(int /*col*/, int /*row*/, int* /*height*/) {}
    virtual void OnChangingCellHeight(int /*col*/, int /*row*/, int* /*height*/) {}
    // The size the cell's content needs: its text in the cell's font plus the margins.
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

protected:
    CUGCtrl* m_ctrl = nullptr;
    int m_ID = -1;
};
