#pragma once
// Frame windows: a frame holds control bars (toolbars, dialog bars) docked at its top and
// bottom edges and one pane window in the rest (AFX_IDW_PANE_FIRST), normally a view made from
// the creation context. RecalcLayout places them again. The frame routes commands: its active
// view (and through it the view's document), then the frame itself, then the application. After
// each command it runs the update-UI pass of its control bars, which sets their buttons' states.
#include "platform/framework/windows/CCreateContext.h"
#include "platform/framework/windows/CWnd.h"

class CControlBar;
class CDocument;
class CView;

inline constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
inline constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
inline constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
inline constexpr UINT AFX_IDW_DIALOGBAR = 0xE805;
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
inline constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;

// RepositionBars: place the bars, or only compute the rectangle left over (reposQuery).
inline constexpr UINT reposDefault = 0;
inline constexpr UINT reposQuery = 1;

// The record of WM_SIZEPARENT: each bar takes its band off `rect` and adds it to `sizeTotal`.
struct AFX_SIZEPARENTPARAMS
{
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch = TRUE;
    BOOL bQuery = FALSE;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;
    using CWnd::Create;
    // A frame (WS_CHILD with a parent, else top level); the context's view class, if any,
    // becomes its pane.
    BOOL Create(LPCTSTR className, LPCTSTR title, DWORD style, const RECT& rect, CWnd* parent = nullptr,
                LPCTSTR menuName = nullptr, DWORD exStyle = 0, CCreateContext* context = nullptr);

    // Makes the pane: the base creates the context's view with id AFX_IDW_PANE_FIRST.
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    // A view of the context's run-time class as a visible child with the id, joined to the
    // context's document; null when the class cannot be created.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

    // Places the visible control bars along the edges and the pane in the rest.
    virtual void RecalcLayout(BOOL notify = TRUE);
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay = FALSE);
    CControlBar* GetControlBar(UINT id) const;

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view has the commands: an MDI frame's active child, else this frame.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // Sends WM_INITIALUPDATE to every view in the frame, then shows the frame when asked.
    void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
    // The update-UI pass: each visible control bar asks the route for its elements' states.
    void UpdateControlBarsUI();

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // Frames made from their run-time class delete themselves with their window.
    BOOL m_bAutoDelete = FALSE;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Answers the tips of toolbar buttons (TTN_NEEDTEXT) with the command's string-table text:
    // the part after a newline when the text has one.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void PostNcDestroy() override;

private:
    CView* m_pViewActive = nullptr;
    bool m_updatePosted = false;
    bool m_inLayout = false;
};
