#pragma once
// CEmptyView: the page of every tab and section without content (template 1500, no controls).
// It answers the view-selector commands by marking the chosen view in the Energy-study selectors.
#include "views/MyFormView.h"

class CEmptyView : public CMyFormView
{
public:
    static constexpr UINT kTemplateId = 1500;
    static constexpr UINT kFirstSelectorCommand = 33074;
    static constexpr UINT kLastSelectorCommand = 33078;

    static const SRuntimeClass& Class();

    CEmptyView() : CMyFormView(kTemplateId) {}

    void OnInitialUpdate() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Marks the command's button, exclusively, in the selector of every Energy-study top section
    // that exists; the view switch itself is the table views'.
    void OnViewSelector(UINT command);
};
