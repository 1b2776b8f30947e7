#pragma once
// MDI-style frames: a main frame whose client area (the rest after its bars) holds child
// frames, each with its own view and bars, one of them active. The active child's route comes
// before the main frame's own; every child fills the client area, as a maximized child does.
#include "platform/framework/windows/CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    // The active child frame (null when none); maximized receives TRUE.
    CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
    void MDIActivate(CWnd* child);
    CFrameWnd* GetActiveFrame() override;
    void RecalcLayout(BOOL notify = TRUE) override;

private:
    friend class CMDIChildWnd;
    void ChildGone(CMDIChildWnd* child);
    CMDIChildWnd* m_active = nullptr;
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;
    ~CMDIChildWnd() override;
    using CFrameWnd::Create;
    // A child frame in the MDI frame's client area; it becomes the active child.
    BOOL Create(LPCTSTR className, LPCTSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
                CCreateContext* context = nullptr);
    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();

protected:
    void OnDestroy() override;
};
