#pragma once
// The section windows of the main view's window table, for the study views.
#include "views/SectionWindows.h"

struct SMainViewLayout;

class CMainViewSectionWindows : public ISectionWindows
{
public:
    explicit CMainViewSectionWindows(const SMainViewLayout& layout) : m_layout(layout) {}

    CWnd* GetSectionView(int entry) const override;
    void MarkViewSelectors(bool loadStudy, UINT command) const override;

private:
    const SMainViewLayout& m_layout;
};
