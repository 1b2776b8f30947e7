#pragma once
// SDataItem: one quantity a study view plots or tables. The table views hold one item per row.
#include <cstdint>

struct SDataItem
{
    static constexpr int kNoAxis = -2; // the item of a table row has no Y axis
    static constexpr int kAuxAxis = -1;

    int quantity = 121; // 121: an empty row, skipped everywhere
    int phaseSlots = 4; // L1, L2, L3, total (1: the first phase only)
    int checkBoxRow = 0;
    int yAxis = kNoAxis;
    std::uint8_t recordKind = 0; // 0: trend records, main quantity table
    std::uint8_t useDemandPeriod = 0; // 1: shown at the view settings' demand period
};
