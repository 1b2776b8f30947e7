#include "platform/storage/StorageName.h"

#include <algorithm>
#include <array>

#include "platform/storage/CompoundFileFormat.h"

namespace {

// Lower-case ranges and the distance to their capitals; `alternate` marks ranges where only
// every other unit (the odd ones) is a small letter.
struct SCaseRange
{
    char16_t first;
    char16_t last;
    int delta;
    bool alternate;
};

constexpr std::array<SCaseRange, 13> kCaseRanges{{
    {u'a', u'z', -32, false},
    {0x00E0, 0x00F6, -32, false},
    {0x00F8, 0x00FE, -32, false},
    {0x0101, 0x012F, -1, true},
    {0x0133, 0x0137, -1, true},
    {0x013A, 0x0148, -1, true},
    {0x014B, 0x0177, -1, true},
    {0x017A, 0x017E, -1, true},
    {0x03B1, 0x03C1, -32, false},
    {0x03C3, 0x03CB, -32, false},
    {0x0430, 0x044F, -32, false},
    {0x0450, 0x045F, -80, false},
    {0x0461, 0x0481, -1, true},
}};

} // namespace

namespace StorageName {

char16_t ToUpper(char16_t unit)
{
    if (unit == 0x00FF)
        return 0x0178;
    for (const SCaseRange& range : kCaseRanges) {
        if (unit < range.first || unit > range.last)
            continue;
        if (range.alternate && ((unit - range.first) % 2) != 0)
            return unit;
        return char16_t(unit + range.delta);
    }
    return unit;
}

int Compare(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char16_t ua = ToUpper(a[i]);
        const char16_t ub = ToUpper(b[i]);
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    return 0;
}

std::u16string Key(std::u16string_view name)
{
    std::u16string key(name);
    std::transform(key.begin(), key.end(), key.begin(), ToUpper);
    return key;
}

bool IsValid(std::u16string_view name)
{
    if (name.empty() || name.size() > cfb::kMaxNameUnits)
        return false;
    return name.find_first_of(u"/\\:!") == std::u16string_view::npos && name.find(u'\0') == std::u16string_view::npos;
}

} // namespace StorageName
