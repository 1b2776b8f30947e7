#pragma once
// The toolbar as a control bar: a toolbar control docked in a frame. Its buttons come from a
// toolbar resource (LoadToolBar) or a command list with a bitmap strip (SetButtons,
// LoadBitmap). A separator widened with SetButtonInfo makes room for a control (an edit field,
// a combo box) that the owner creates as a child of the bar at GetItemRect. Clicks and the
// notifications of such controls go on to the frame, which routes them; the frame's update-UI
// pass sets each button's enabled and checked state.
#include "platform/framework/windows/CControlBar.h"
#include "platform/framework/windows/CImageList.h"
#include "platform/framework/windows/CToolBarCtrl.h"
#include "platform/framework/windows/ToolBarResource.h"

// Button styles of CToolBar: the control's style in the low byte, its state in the next.
inline constexpr UINT TBBS_BUTTON = TBSTYLE_BUTTON;
inline constexpr UINT TBBS_SEPARATOR = TBSTYLE_SEP;
inline constexpr UINT TBBS_CHECKBOX = TBSTYLE_CHECK;
inline constexpr UINT TBBS_GROUP = TBSTYLE_GROUP;
inline constexpr UINT TBBS_CHECKGROUP = TBSTYLE_CHECKGROUP;
inline constexpr UINT TBBS_CHECKED = TBSTATE_CHECKED << 8;
inline constexpr UINT TBBS_PRESSED = TBSTATE_PRESSED << 8;
inline constexpr UINT TBBS_DISABLED = TBSTATE_ENABLED << 8;
inline constexpr UINT TBBS_HIDDEN = TBSTATE_HIDDEN << 8;
inline constexpr UINT TBBS_INDETERMINATE = TBSTATE_INDETERMINATE << 8;

class CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT id = AFX_IDW_TOOLBAR_ID);
    BOOL CreateEx(CWnd* parent, DWORD controlStyle = TBSTYLE_FLAT, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                  CRect borders = CRect(0, 2, 0, 2), UINT id = AFX_IDW_TOOLBAR_ID);
    static constexpr UINT AFX_IDW_TOOLBAR_ID = 0xE800;

    // The bitmap and commands of resources/toolbars/<id>.json.
    BOOL LoadToolBar(UINT resourceId);
    // The image strip (magenta transparent), cut at the image size of SetSizes.
    BOOL LoadBitmap(UINT bitmapId);
    // One button per command (ID_SEPARATOR: a separator); images are taken in order.
    BOOL SetButtons(const UINT* ids, int count);
    void SetSizes(CSize button, CSize image);
    void SetHeight(int height);

    int CommandToIndex(UINT id) const { return m_ctrl.CommandToIndex(id); }
    UINT GetItemID(int index) const;
    void GetItemRect(int index, LPRECT rect) const;
    UINT GetButtonStyle(int index) const;
    void SetButtonStyle(int index, UINT style);
    void GetButtonInfo(int index, UINT& id, UINT& style, int& image) const;
    // With TBBS_SEPARATOR the image is the separator's width: room for a control.
    void SetButtonInfo(int index, UINT id, UINT style, int image);
    BOOL SetButtonText(int index, LPCTSTR text);
    CString GetButtonText(int index) const { return m_ctrl.GetButtonText(index); }
    CToolBarCtrl& GetToolBarCtrl() const { return const_cast<CToolBarCtrl&>(m_ctrl); }
    int GetCount() const { return m_ctrl.GetButtonCount(); }

    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    void OnSize(UINT type, int cx, int cy) override;

private:
    CToolBarCtrl m_ctrl;
    CImageList m_images;
    CSize m_imageSize{16, 15};
    CRect m_borders{0, 2, 0, 2};
    int m_fixedHeight = 0; // SetHeight; 0: the button height and borders
};
