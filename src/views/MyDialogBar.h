#pragma once
// CMyDialogBar: a bar of controls made from a dialog template, docked at the left of a split
// frame beside its view (the graph options and calendar table bars derive from it).
#include "platform/framework/windows/CDialog.h"

class CMyDialogBar : public CDialog
{
public:
    CMyDialogBar() = default;
    ~CMyDialogBar() override;

    // Creates the bar from the template inside the frame; FALSE when the template is missing.
    virtual BOOL CreateBar(CWnd* frame, UINT templateId);
    UINT GetTemplateId() const { return m_templateId; }
    // The bar's width in the frame (the template's width).
    int GetBarWidth() const { return m_width; }

    // The bar's buttons tell the frame's view.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_templateId = 0;
    int m_width = 0;
};
