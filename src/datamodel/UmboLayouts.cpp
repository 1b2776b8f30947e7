#include "datamodel/UmboLayouts.h"

#include <array>

namespace
{
using enum EUmboField;

// --- message header words ------------------------------------------------------------------
constexpr SUmboField kResultOnly[] = {{U32, 28, 1}};
constexpr SUmboField kMsg2[] = {{U16, 8, 2}, {U32, 28, 1}};
constexpr SUmboField kMsg3[] = {{U16, 12, 6}, {Time, 24, 1}};
constexpr SUmboField kMsgU32At8[] = {{U32, 8, 1}, {U32, 28, 1}};
constexpr SUmboField kMsgU16At8[] = {{U16, 8, 1}, {U32, 28, 1}};
constexpr SUmboField kMsg7[] = {{U32, 8, 2}, {U32, 28, 1}};
constexpr SUmboField kMsg8[] = {{U16, 8, 2}, {U32, 20, 3}};
constexpr SUmboField kMsg12[] = {{Wide, 8, 20}, {U32, 28, 1}};
constexpr SUmboField kMsg13[] = {{U32, 8, 1}, {Time, 12, 1}, {U16, 20, 1}, {U32, 28, 1}};
constexpr SUmboField kMsgThreeU32At8[] = {{U32, 8, 3}, {U32, 28, 1}};
constexpr SUmboField kMsg15[] = {{Time, 8, 2}, {U32, 24, 1}};
constexpr SUmboField kMsg17[] = {{U16, 8, 2}, {U32, 12, 1}, {U32, 28, 1}};
constexpr SUmboField kMsg20[] = {{Time, 8, 2}, {U16, 24, 2}, {U32, 28, 1}};
constexpr SUmboField kMsg21[] = {{U16, 28, 1}};
constexpr SUmboField kMsg24[] = {{U16, 8, 1}, {U32, 12, 3}, {U32, 28, 1}};
constexpr SUmboField kMsgU32At24[] = {{U32, 24, 2}};
constexpr SUmboField kMsg33[] = {{U32, 8, 3}, {U32, 24, 2}};
constexpr SUmboField kMsg35[] = {{Time, 8, 2}, {U32, 24, 2}};
constexpr SUmboField kMsg36[] = {{U32, 8, 6}};
constexpr SUmboField kMsg1001[] = {{U16, 8, 1}};
constexpr SUmboField kMsg1005[] = {{U16, 8, 1}, {U32, 12, 1}};
constexpr SUmboField kMsg1006[] = {{U32, 8, 5}};

constexpr SUmboMessageLayout kMessageLayouts[] = {
    {1, kUmboBothWays, kResultOnly},       {2, kUmboBothWays, kMsg2},
    {3, kUmboBothWays, kMsg3},             {4, kUmboBothWays, kMsgU32At8},
    {5, kUmboBothWays, kMsgU16At8},        {6, kUmboFromLogger, kMsgU16At8},
    {7, kUmboFromLogger, kMsg7},           {8, kUmboBothWays, kMsg8},
    {9, kUmboFromLogger, kMsgU16At8},      {10, kUmboFromLogger, kResultOnly},
    {11, kUmboFromLogger, kMsgU16At8},     {12, kUmboBothWays, kMsg12},
    {13, kUmboBothWays, kMsg13},           {14, kUmboBothWays, kMsgThreeU32At8},
    {15, kUmboBothWays, kMsg15},           {16, kUmboFromLogger, kResultOnly},
    {17, kUmboFromLogger, kMsg17},         {19, kUmboBothWays, {}},
    {20, kUmboBothWays, kMsg20},           {21, kUmboBothWays, kMsg21},
    {22, kUmboBothWays, kMsgU32At8},       {24, kUmboBothWays, kMsg24},
    {25, kUmboFromLogger, kResultOnly},    {26, kUmboFromLogger, kResultOnly},
    {27, kUmboFromLogger, kResultOnly},    {28, kUmboFromLogger, kMsgU32At24},
    {29, kUmboFromLogger, kMsgU32At24},    {30, kUmboFromLogger, kMsgThreeU32At8},
    {31, kUmboFromLogger, kMsgU32At24},    {33, kUmboFromLogger, kMsg33},
    {35, kUmboFromLogger, kMsg35},         {36, kUmboBothWays, kMsg36},
    {37, kUmboFromLogger, kResultOnly},    {38, kUmboBothWays, kMsg7},
    {39, kUmboFromLogger, kResultOnly},    {41, kUmboBothWays, kMsg2},
    {43, kUmboBothWays, kMsg7},            {1001, kUmboBothWays, kMsg1001},
    {1002, kUmboBothWays, kMsg1001},       {1005, kUmboBothWays, kMsg1005},
    {1006, kUmboBothWays, kMsg1006},
};

// --- tables ----------------------------------------------------------------------------------
// Fixed fields of the sized tables leave out the u16 the size follows from (converted first).
constexpr SUmboField kTable1[] = {{U16, 14, 1}};
constexpr SUmboField kTenU32[] = {{U32, 0, 10}};
constexpr SUmboField kSixteenU32[] = {{U32, 0, 16}};
constexpr SUmboField kTable3[] = {
    {U16, 12, 1},  // topology; bytes 14..23 are the probe types of the channels
    {U32, 24, 2},  // nominal voltage, u32
    {U32, 32, 5}, {U32, 52, 5}, {U32, 80, 5}, {U32, 100, 5}, {U32, 120, 3},
};
constexpr SUmboField kTable6[] = {{U16, 12, 5 * 6144}, {U32, 61452, 2}};
constexpr SUmboField kTable9[] = {{U32, 12, 1}};
constexpr SUmboField kTable10[] = {{U32, 12, 209}};
constexpr SUmboField kTable11[] = {{U32, 16, 2}};
constexpr SUmboField kEighteenU32[] = {{U32, 0, 18}};
constexpr SUmboField kTable15[] = {{Time, 12, 1}, {U32, 20, 2642}, {U32, 10592, 182}};
constexpr SUmboField kTwentyFourU32[] = {{U32, 0, 24}};
constexpr SUmboField kSixTimes[] = {{Time, 12, 6}};
constexpr SUmboField kTable23[] = {{U32, 16, 1}};
constexpr SUmboField kTable23Entry[] = {{Time, 0, 1}, {U32, 8, 19}};
constexpr SUmboField kElevenU32[] = {{U32, 0, 11}};
constexpr SUmboField kTable25[] = {{U16, 14, 1}, {U32, 16, 3}};
constexpr SUmboField kFiveU32[] = {{U32, 0, 5}};
constexpr SUmboField kTable35[] = {{U16, 12, 2}};
constexpr SUmboField kOneTime[] = {{Time, 12, 1}};
constexpr SUmboField kVersionEntry[] = {{U32, 12, 1}};
constexpr SUmboField kTable46[] = {{U32, 16, 7}};
constexpr SUmboField kTable46Entry[] = {{Time, 0, 1}, {U32, 8, 7}};
constexpr SUmboField kTable47[] = {{U16, 12, 2}, {U32, 16, 5}, {U16, 36, 1}};
constexpr SUmboField kTable49[] = {{U32, 16, 1}, {Time, 20, 1}, {U32, 32, 1}};
constexpr SUmboField kTable50[] = {{U32, 12, 2}};
constexpr SUmboField kTable51[] = {{U32, 12, 36}};
constexpr SUmboField kFiveTimes[] = {{Time, 12, 5}};
constexpr SUmboField kTable61[] = {{Time, 12, 1}, {U32, 24, 146}};
constexpr SUmboField kTable63[] = {
    {U16, 12, 2}, {U32, 16, 2}, {U16, 24, 6}, {U32, 36, 2}, {U32, 44, 6}, {U32, 68, 4}, {U16, 84, 9},
    // three 44-byte probe records from 104: text of 32 bytes, u32, two u16, f32
    {U32, 136, 1}, {U16, 140, 2}, {U32, 144, 1},
    {U32, 180, 1}, {U16, 184, 2}, {U32, 188, 1},
    {U32, 224, 1}, {U16, 228, 2}, {U32, 232, 1},
    {U32, 236, 1}, {Wide, 240, 16}, {Wide, 256, 16}, {Time, 272, 2}, {Wide, 288, 256}, {Wide, 544, 64},
    {U16, 608, 2}, {Wide, 612, 128},
};
constexpr SUmboField kTable64[] = {{Time, 12, 1}, {U32, 20, 165}};
constexpr SUmboField kTable65[] = {{Time, 12, 1}, {U32, 20, 21}};
constexpr SUmboField kTable66[] = {{U32, 12, 51}};
constexpr SUmboField kTable67[] = {{Wide, 12, 256}, {Wide, 268, 64}, {Wide, 332, 128},
                                   {Time, 460, 2},  {U16, 476, 2},   {U32, 480, 2}};

constexpr SUmboSizeRule CountRule(WORD base, WORD entrySize, std::span<const SUmboField> entry)
{
    return SUmboSizeRule{12, base, entrySize, entry};
}

constexpr SUmboTableLayout kTableLayouts[] = {
    {1, 1, kUmboBothWays, true, kTable1, CountRule(16, 40, kTenU32)},
    {2, 2, kUmboBothWays, true, {}, CountRule(16, 64, kSixteenU32)},
    {3, 3, kUmboBothWays, true, kTable3, {}},
    {6, 6, kUmboBothWays, true, kTable6, {}},
    {9, 9, kUmboFromLogger, true, kTable9, SUmboSizeRule{18, 20, 1, {}}},
    {10, 10, kUmboBothWays, true, kTable10, {}},
    {11, 11, kUmboBothWays, true, kTable11, CountRule(24, 72, kEighteenU32)},
    {15, 15, kUmboBothWays, true, kTable15, {}},
    {16, 16, kUmboBothWays, true, {}, {}, EUmboTail::UnitsToEnd},
    {18, 18, kUmboBothWays, true, {}, CountRule(16, 96, kTwentyFourU32)},
    {19, 22, kUmboBothWays, true, kSixTimes, {}},
    {23, 23, kUmboBothWays, true, kTable23, CountRule(20, 84, kTable23Entry)},
    {24, 24, kUmboBothWays, true, {}, CountRule(16, 44, kElevenU32)},
    {25, 25, kUmboBothWays, true, kTable25, CountRule(28, 20, kFiveU32)},
    {26, 34, kUmboBothWays, true, {}, {}, EUmboTail::UnitsToEnd},
    {35, 35, kUmboFromLogger, true, kTable35, {}},
    {36, 36, kUmboFromLogger, true, kOneTime, {}},
    {37, 45, kUmboBothWays, true, kVersionEntry, {}},
    {46, 46, kUmboBothWays, true, kTable46, CountRule(44, 36, kTable46Entry)},
    {47, 47, kUmboBothWays, true, kTable47, {}},
    {48, 48, kUmboBothWays, true, kVersionEntry, {}},
    {49, 49, kUmboBothWays, true, kTable49, {}},
    {50, 50, kUmboBothWays, true, kTable50, {}},
    {51, 51, kUmboBothWays, true, kTable51, {}},
    {52, 52, kUmboBothWays, true, kVersionEntry, {}},
    {53, 55, kUmboBothWays, true, kFiveTimes, {}},
    {57, 58, kUmboBothWays, true, kVersionEntry, {}},
    {61, 61, kUmboFromLogger, true, kTable61, {}},
    {62, 62, kUmboBothWays, true, {}, {}, EUmboTail::UnitsToEnd},
    {63, 63, kUmboBothWays, true, kTable63, {}},
    {64, 64, kUmboBothWays, true, kTable64, {}},
    {65, 65, kUmboBothWays, true, kTable65, {}},
    {66, 66, kUmboBothWays, true, kTable66, {}},
    {67, 67, kUmboBothWays, true, kTable67, {}},
    {68, 68, kUmboBothWays, false, {}, {}},
};

static_assert(kTableLayouts[2].Extent() == 132);
static_assert(kTableLayouts[3].Extent() == 61460);
static_assert(kTableLayouts[5].Extent() == 848);
static_assert(kTableLayouts[7].Extent() == 11320);
static_assert(kTableLayouts[27].Extent() == 608);
static_assert(kTableLayouts[29].Extent() == 740);
static_assert(kTableLayouts[30].Extent() == 680);
static_assert(kTableLayouts[31].Extent() == 104);
static_assert(kTableLayouts[32].Extent() == 216);
static_assert(kTableLayouts[33].Extent() == 488);

// Every table of a session passes through the lookup, so it is indexed by type once.
constexpr WORD kHighestTableType = 68;
constexpr auto kLayoutByType = [] {
    std::array<const SUmboTableLayout*, kHighestTableType + 1> index{};
    for (const SUmboTableLayout& layout : kTableLayouts)
        for (int type = layout.firstType; type <= layout.lastType; ++type)
            index[std::size_t(type)] = &layout;
    return index;
}();
} // namespace

const SUmboMessageLayout* FindUmboMessageLayout(WORD msgType)
{
    for (const SUmboMessageLayout& layout : kMessageLayouts)
    {
        if (layout.msgType == msgType)
            return &layout;
    }
    return nullptr;
}

const SUmboTableLayout* FindUmboTableLayout(WORD tableType)
{
    return tableType <= kHighestTableType ? kLayoutByType[tableType] : nullptr;
}
