#pragma once
// The per-session axis controls of a graph view: for each of the four session time axes a
// label button with the session number and two buttons that scroll that axis back or forward by
// one span, and one button that couples the axes so that a scroll moves them all.
#include "views/ButtonST.h"

#include <array>
#include <memory>

inline constexpr UINT kFirstScrollBackButton = 10000;    // 10000..10003
inline constexpr UINT kFirstScrollForwardButton = 10004; // 10004..10007
inline constexpr UINT kFirstAxisLabelButton = 10008;     // 10008..10011
inline constexpr UINT kAxisCouplingButton = 10012;

struct SAxisControlBlock
{
    static constexpr int kGroups = 4;

    int groupCount = 0; // 4 once created
    CFont font;
    std::array<std::unique_ptr<CButtonST>, kGroups> labels;
    std::array<std::unique_ptr<CButtonST>, kGroups> scrollBack;
    std::array<std::unique_ptr<CButtonST>, kGroups> scrollForward;
    std::unique_ptr<CButtonST> coupling;
    int coupled = 0;
};
