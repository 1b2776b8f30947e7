#pragma once
// CMyDialogBar: a bar of controls made from a dialog template, docked at the left of a split
// frame beside its view (the graph options and calendar table bars derive from it). A bar
// taller than the room the frame gives it scrolls vertically.
#include "platform/framework/windows/CDialog.h"

class CMyDialogBar : public CDialog
{
public:
    CMyDialogBar() = default;
    ~CMyDialogBar() override;

    // Creates the bar from the template inside the frame; FALSE when the template is missing.
    virtual BOOL CreateBar(CWnd* frame, UINT templateId);
    UINT GetTemplateId() const { return m_templateId; }
    // The bar's width in the frame at a height: the template's width, and room for the scroll
    // bar when the template is taller.
    int GetBarWidth(int height) const;
    // The template's height in pixels: what the bar shows when it does not scroll.
    int GetContentHeight() const { return m_contentHeight; }

    // The bar's buttons tell the frame's view.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_templateId = 0;
    int m_width = 0;
    int m_contentHeight = 0;
};
