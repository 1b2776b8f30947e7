#include "datamodel/TrendItemIds.h"

#include "datamodel/MeasurementConfig.h"

#include <cmath>
#include <span>

namespace {

struct SQuantityItem
{
    DWORD quantity;
    DWORD item;
};

constexpr SQuantityItem kOlderTrend[] = {
    {0, 0},   {1, 1},   {2, 2},   {3, 3},   {4, 4},   {10, 10}, {11, 11}, {23, 23}, {24, 24}, {25, 25},
    {26, 26}, {5, 39},  {6, 39},  {7, 39},  {8, 39},  {36, 39}, {37, 39}, {38, 39}, {9, 40},  {20, 40},
    {21, 40}, {22, 40}, {29, 3},  {33, 3},  {30, 4},  {34, 4},  {31, 24}, {32, 26},
};
constexpr SQuantityItem kOlderDemand[] = {
    {5, 39}, {6, 39}, {7, 39}, {8, 39}, {36, 39}, {37, 39}, {38, 39}, {9, 40}, {20, 40}, {21, 40}, {22, 40},
};
constexpr SQuantityItem kLoggerTrend[] = {
    {0, 0},   {1, 1},   {2, 2},   {29, 29}, {30, 30}, {5, 39},  {6, 39},  {7, 39},  {8, 39},  {36, 39},
    {37, 39}, {38, 39}, {54, 39}, {56, 39}, {9, 40},  {20, 40}, {21, 40}, {22, 40}, {57, 40}, {41, 47},
    {42, 47}, {43, 47}, {44, 47}, {45, 47}, {46, 47}, {55, 47}, {48, 50}, {49, 50}, {51, 53}, {52, 53},
};
constexpr SQuantityItem kLoggerDemand[] = {
    {41, 47}, {42, 47}, {43, 47}, {44, 47}, {45, 47}, {46, 47}, {55, 47}, {48, 50}, {49, 50},
};

constexpr int kSlotPhases[] = {0, 1, 2, 5};

} // namespace

DWORD TrendItemForQuantity(const CMeasurementConfig& config, DWORD quantity, bool demand)
{
    std::span<const SQuantityItem> map;
    if (config.IsLoggerLayout())
        map = demand ? std::span<const SQuantityItem>(kLoggerDemand) : std::span<const SQuantityItem>(kLoggerTrend);
    else
        map = demand ? std::span<const SQuantityItem>(kOlderDemand) : std::span<const SQuantityItem>(kOlderTrend);
    for (const auto& entry : map)
        if (entry.quantity == quantity)
            return entry.item;
    return kNoTrendItem;
}

int PhaseOfSlot(int slot)
{
    return slot >= 0 && slot < 4 ? kSlotPhases[slot] : -1;
}

float FloatSqrt(float x)
{
    return std::sqrt(x);
}
