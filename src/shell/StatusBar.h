#pragma once
// The status bar at the foot of the main window: one line of text.
#include "platform/framework/windows/CWnd.h"

class CStatusBar : public CWnd
{
public:
    static constexpr int kHeight = 20;

    void SetText(const CString& text);
    const CString& GetText() const { return m_text; }

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    CString m_text;
};
