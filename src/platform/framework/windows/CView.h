#pragma once
// A view: the window that shows a document inside a frame. It joins the document of its
// creation context, paints through OnDraw, gets OnInitialUpdate once its frame is set up
// (WM_INITIALUPDATE) and OnUpdate whenever the document changes. Commands that reach a view
// go to the view first and then to its document.
#include "platform/framework/windows/CWnd.h"

class CDocument;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // The base runs OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // The base repaints the whole view.
    virtual void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject);
    virtual void OnDraw(CDC* dc);
    // The frame made this view the active one (activate) or another one.
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // Views made by a frame from their run-time class delete themselves with their window.
    BOOL m_bAutoDelete = FALSE;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnDestroy() override;
    void OnPaint() override;
    void PostNcDestroy() override;

private:
    friend class CDocument;
    CDocument* m_pDocument = nullptr;
};
