#pragma once
// The main view's window table as the study views see it: a section view by its entry number
// and the view selectors of a study. The main view publishes its table here while it lives.
#include "platform/framework/WinTypes.h"

class CWnd;

class ISectionWindows
{
public:
    virtual ~ISectionWindows() = default;
    // The view of the section frame at that entry; null while the section does not exist.
    virtual CWnd* GetSectionView(int entry) const = 0;
    // Marks the command's button, exclusively, in the view selectors of the Energy or Load study.
    virtual void MarkViewSelectors(bool loadStudy, UINT command) const = 0;
};

// Null while no main view exists.
extern ISectionWindows* g_pSectionWindows;
