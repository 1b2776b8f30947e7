#pragma once
// The project window: a child of the main window that fills its client area, with the project's
// title in a caption strip and the main view of the project below it. It answers the project
// document's study switches through the main view.
#include "mainview/MainView.h"
#include "mainview/MainViewStudyHost.h"
#include "platform/framework/windows/CWnd.h"

#include <memory>

class IProjectDocument;

class CChildFrameQuarn : public CWnd
{
public:
    static constexpr int kCaptionHeight = 22;

    CChildFrameQuarn() = default;
    ~CChildFrameQuarn() override;

    // Creates the frame inside the parent and the main view of the document in it; the tabs
    // follow the project's sessions and the Project Manager tab is shown.
    BOOL CreateFrame(CWnd* parent, const RECT& rect, const CString& title, IProjectDocument& document);
    CMainView& GetMainView() { return m_mainView; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;

private:
    CRect ViewRect() const;

    CMainView m_mainView;
    SViewCreateContext m_context;
    std::unique_ptr<CMainViewStudyHost> m_studyHost;
};
