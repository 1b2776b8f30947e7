#pragma once
// The project window: a child of the main window that fills its client area, with the project's
// title in a caption strip and the content window of the document template below it.
#include "platform/framework/windows/CWnd.h"

#include <memory>

class CChildFrameQuarn : public CWnd
{
public:
    static constexpr int kCaptionHeight = 22;
    static constexpr UINT kViewId = 0xE900; // the framework's first pane

    // Creates the frame inside the parent and the content window inside the frame.
    BOOL CreateFrame(CWnd* parent, const RECT& rect, const CString& title, std::unique_ptr<CWnd> view);
    CWnd* GetView() const { return m_view.get(); }

    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;

private:
    CRect ViewRect() const;

    std::unique_ptr<CWnd> m_view;
};
