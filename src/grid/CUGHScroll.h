#pragma once
// CUGHScroll: the horizontal scroll bar of the grid control. The control forwards the scroll
// requests it receives and tells the bar when the view moved.
#include "grid/CUGChildWnd.h"

class CUGHScroll : public CUGChildWnd
{
public:
    // A scroll request (SB_ code and thumb position) forwarded by the control.
    virtual void Scroll(UINT /*code*/, UINT /*pos*/) {}
    // Brings range and position in line with the sheet.
    virtual void Update() {}
};
