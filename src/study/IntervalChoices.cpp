#include "study/IntervalChoices.h"

#include <cmath>

namespace {

struct SRow
{
    unsigned textId;
    int minutes;
};

constexpr SRow kRows[kIntervalChoiceCount] = {
    {6039, 10}, {6040, 15}, {6041, 20}, {6042, 30}, {6043, 60}, {6044, 120}, {6045, 1440}, {6046, 5 * 1440}, {6047, 7 * 1440},
};

} // namespace

const std::array<SIntervalChoice, kIntervalChoiceCount>& GetIntervalChoices()
{
    static const std::array<SIntervalChoice, kIntervalChoiceCount> choices = [] {
        std::array<SIntervalChoice, kIntervalChoiceCount> table{};
        for (int i = 0; i < kIntervalChoiceCount; ++i)
            table[std::size_t(i)] = {kRows[i].textId, CHighTimeSpan(0, 0, kRows[i].minutes, 0), kRows[i].minutes / 1440.0};
        return table;
    }();
    return choices;
}

int FindIntervalChoice(double days)
{
    constexpr double kSecond = 1.0 / 86400.0;
    const auto& choices = GetIntervalChoices();
    for (int i = 0; i < kIntervalChoiceCount; ++i)
        if (std::fabs(choices[std::size_t(i)].days - days) < kSecond)
            return i;
    return kIndividualInterval;
}
