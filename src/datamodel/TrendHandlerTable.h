#pragma once
// The static table of trend record handlers: for each (table type, item id) the five
// operations that size, fill, group and hand out the arrays of a trend item.
#include "platform/framework/WinTypes.h"

#include <array>
#include <memory>

class CDataItemTrend;
class CTrendChannel;

struct STrendHandlerRow
{
    using AllocateFn = bool (*)(const CDataItemTrend& item);
    using ExtractFn = void (*)(const CDataItemTrend& item);
    using AggregateFn = void (*)(const CDataItemTrend& item, const CDataItemTrend& base, int multiple);
    using PrepareFn = int (*)(const CDataItemTrend& item, DWORD quantity, DWORD phase);
    using CreateFn = std::unique_ptr<CTrendChannel> (*)(const CDataItemTrend& item, DWORD quantity, DWORD phase);

    DWORD tableType;
    DWORD itemId;
    AllocateFn AllocateArrays;
    ExtractFn ExtractRecords;
    AggregateFn AggregateFrom; // null: a grouped item keeps NaN values
    PrepareFn PrepareChannel;  // null: nothing is computed on request
    CreateFn CreateChannel;
};

inline constexpr std::size_t kTrendHandlerRowCount = 27;

const std::array<STrendHandlerRow, kTrendHandlerRowCount>& GetTrendHandlerTable();
// The first row whose table type and item id both match; null when none does.
const STrendHandlerRow* FindTrendHandlerRow(DWORD tableType, DWORD itemId);
