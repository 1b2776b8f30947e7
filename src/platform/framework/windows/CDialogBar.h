#pragma once
// A control bar made from a dialog template: the template's controls on a bar as high as the
// template, docked at the top or bottom of its frame. The update-UI pass enables and checks its
// controls by their command ids.
#include "platform/framework/windows/CControlBar.h"

#include <memory>

class CFont;

class CDialogBar : public CControlBar
{
    DECLARE_DYNAMIC(CDialogBar)
public:
    CDialogBar();
    ~CDialogBar() override;
    using CWnd::Create;
    // style: CBRS_TOP or CBRS_BOTTOM (and window styles such as WS_VISIBLE).
    BOOL Create(CWnd* parent, UINT templateId, UINT style, UINT id);
    CSize CalcFixedLayout(BOOL stretch, BOOL horizontal) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
    CSize m_sizeDefault;

private:
    std::unique_ptr<CFont> m_font;
};
