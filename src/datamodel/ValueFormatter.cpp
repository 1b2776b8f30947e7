#include "datamodel/ValueFormatter.h"

#include "platform/framework/LocaleNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace
{
// The separator may hold up to four characters; a longer or empty one is not usable.
constexpr int kMaxSeparatorChars = 4;

int CountCharacters(const CString& text)
{
    return int(std::count_if(text.str().begin(), text.str().end(),
                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}
} // namespace

CValueFormatter::CValueFormatter()
{
    m_prefixTexts[SValueFormat::kPrefixMega].LoadString(107);
    m_prefixTexts[SValueFormat::kPrefixKilo].LoadString(108);
    m_prefixTexts[SValueFormat::kPrefixMilli].LoadString(110);
    m_locale = CUserLocale::Current();
    const int length = CountCharacters(m_locale.decimalSeparator);
    if (length == 0 || length > kMaxSeparatorChars)
        m_locale.decimalSeparator = ".";
}

CString CValueFormatter::FormatFixed(double value, int decimals) const
{
    return LocaleNumberText(value, SNumberLayout{decimals < 0 ? 6 : decimals, false, false}, m_locale);
}

CString CValueFormatter::FormatNumber(double value, int decimals, const CString& suffix) const
{
    return LocaleNumberText(value, SNumberLayout{decimals, true, false}, m_locale) + suffix;
}

const SValueScaleBlock* CValueFormatter::FindBlock(int group, int interval) const
{
    if (group < 0 || group >= kGroupCount)
        return nullptr;
    const SGroup& g = m_groups[std::size_t(group)];
    if (interval == 0)
        return &g.recorded;
    auto it = g.intervals.find(interval);
    return it == g.intervals.end() ? nullptr : &it->second;
}

SValueScaleBlock* CValueFormatter::FindBlock(int group, int interval)
{
    return const_cast<SValueScaleBlock*>(std::as_const(*this).FindBlock(group, interval));
}

const SValueScaleEntry* CValueFormatter::FindScaleEntry(int group, DWORD quantity, bool energyTable,
                                                        int interval) const
{
    const SValueScaleBlock* block = FindBlock(group, interval);
    if (!block)
        return nullptr;
    const auto& entries = block->GetTable(energyTable).entries;
    auto it = entries.find(quantity);
    return it == entries.end() ? nullptr : &it->second;
}

SValueScaleEntry* CValueFormatter::FindEntry(int group, DWORD quantity, bool energyTable, int interval)
{
    return const_cast<SValueScaleEntry*>(std::as_const(*this).FindScaleEntry(group, quantity, energyTable, interval));
}

SValueScaleEntry* CValueFormatter::FindRecordedEntry(int group, DWORD quantity)
{
    return FindEntry(group, quantity, false, 0);
}

SValueFormat CValueFormatter::ScaleOf(SValueScaleEntry& entry, const SValueScaleBlock::Table& table, double value,
                                      bool keep) const
{
    SValueFormat format;
    if (!entry.autoPrefix) {
        format.decimals = entry.decimals;
        format.divisor = entry.factor;
        format.unitText = entry.unitText;
        return format;
    }
    double magnitude = keep && entry.HasMagnitudeSlot() ? table.largest[std::size_t(entry.magnitudeSlot)]
                                                        : std::fabs(value) * entry.factor;
    if (keep && entry.userScale)
        magnitude = entry.userRatio * magnitude + entry.userOffset;

    std::uint32_t prefix = entry.prefixIndex;
    int decimals = entry.decimals;
    if (entry.recompute || !keep) {
        const SPrefixChoice choice = ChoosePrefix(magnitude);
        prefix = choice.prefixIndex;
        decimals = choice.decimals;
        if (keep) {
            entry.prefixIndex = prefix;
            entry.decimals = decimals;
            entry.recompute = false;
        }
    }
    format.decimals = decimals;
    format.prefixIndex = prefix;
    format.divisor = PrefixMultiplier(prefix) / entry.factor;
    format.unitText = m_prefixTexts[prefix] + entry.unitText;
    return format;
}

bool CValueFormatter::GetValueFormat(int group, DWORD quantity, bool energyTable, int interval, double value,
                                     bool keep, SValueFormat& format)
{
    SValueScaleBlock* block = FindBlock(group, interval);
    SValueScaleEntry* entry = FindEntry(group, quantity, energyTable, interval);
    if (!block || !entry) {
        format = SValueFormat();
        return false;
    }
    format = ScaleOf(*entry, block->GetTable(energyTable), value, keep);
    return true;
}

bool CValueFormatter::FormatWith(int group, DWORD quantity, bool energyTable, int interval, double value,
                                 double magnitude, bool keep, CString& valueText, CString& unitText)
{
    SValueFormat format;
    const bool found = GetValueFormat(group, quantity, energyTable, interval, magnitude, keep, format);
    const double shown = value / format.divisor;
    valueText = std::isfinite(value) && std::isfinite(shown) ? FormatFixed(shown, format.decimals) : CString();
    unitText = format.unitText;
    return found;
}

bool CValueFormatter::FormatValue(int group, DWORD quantity, bool energyTable, int interval, double value,
                                  CString& valueText, CString& unitText)
{
    return FormatWith(group, quantity, energyTable, interval, value, value, true, valueText, unitText);
}

bool CValueFormatter::FormatValueForMagnitude(int group, DWORD quantity, bool energyTable, int interval,
                                              double value, double reference, CString& valueText,
                                              CString& unitText)
{
    return FormatWith(group, quantity, energyTable, interval, value, reference, false, valueText, unitText);
}

void CValueFormatter::FormatWithDefaultScale(DWORD quantity, double value, double reference, CString& valueText,
                                             CString& unitText) const
{
    SValueScaleEntry entry = MakeDefaultScaleEntry(quantity);
    const SValueFormat format = ScaleOf(entry, SValueScaleBlock::Table{}, reference, false);
    const double shown = value / format.divisor;
    valueText = std::isfinite(value) && std::isfinite(shown) ? FormatFixed(shown, format.decimals) : CString();
    unitText = format.unitText;
}

int CValueFormatter::GetScaleUnitText(int group, DWORD quantity, bool energyTable, int interval,
                                      CString& unitText) const
{
    const SValueScaleEntry* entry = FindScaleEntry(group, quantity, energyTable, interval);
    unitText = entry ? entry->unitText : CString();
    return entry ? 0 : -1;
}

int CValueFormatter::GetPrefixedUnitText(int group, DWORD quantity, bool energyTable, int interval,
                                         CString& unitText)
{
    SValueFormat format;
    const bool found = GetValueFormat(group, quantity, energyTable, interval, 0.0, true, format);
    unitText = format.unitText;
    return found ? 0 : -1;
}

void CValueFormatter::RegisterRange(int group, int interval, DWORD quantity, bool energyTable, float minimum,
                                    float maximum)
{
    if (group < 0 || group >= kGroupCount)
        return;
    SGroup& g = m_groups[std::size_t(group)];
    SValueScaleBlock& block = interval == 0 ? g.recorded : g.intervals[interval];
    SValueScaleBlock::Table& table = block.GetTable(energyTable);

    auto [it, created] = table.entries.try_emplace(quantity);
    SValueScaleEntry& entry = it->second;
    if (created) {
        entry = MakeDefaultScaleEntry(quantity);
        entry.minimum = minimum;
        entry.maximum = maximum;
    } else {
        if (!std::isfinite(entry.minimum) || (std::isfinite(minimum) && minimum < entry.minimum))
            entry.minimum = minimum;
        if (!std::isfinite(entry.maximum) || (std::isfinite(maximum) && maximum > entry.maximum))
            entry.maximum = maximum;
    }

    if (!entry.autoPrefix || !entry.HasMagnitudeSlot())
        return;
    // Only finite bounds count (fmax passes over NaN): an overflowed value must not push every
    // quantity of the slot to the largest prefix.
    const auto finiteMagnitude = [](float bound) {
        return std::isfinite(bound) ? std::fabs(double(bound)) : std::numeric_limits<double>::quiet_NaN();
    };
    const double magnitude = std::fmax(finiteMagnitude(minimum), finiteMagnitude(maximum)) * entry.factor;
    double& largest = table.largest[std::size_t(entry.magnitudeSlot)];
    if (!(magnitude > largest))
        return;
    largest = magnitude;
    // Every quantity of the slot picks its prefix again, so that they keep sharing one prefix.
    for (auto& [id, other] : table.entries) {
        if (other.autoPrefix && other.magnitudeSlot == entry.magnitudeSlot)
            other.recompute = true;
    }
}

int UserScaleDecimals(double fullScale)
{
    return std::max(0, 4 - int(std::trunc(std::log10(fullScale))));
}

void CValueFormatter::SetScaleEntry(int group, DWORD quantity, double fullScale, double offset,
                                    const CString& unitText)
{
    if (!(fullScale > 0.0) || !std::isfinite(fullScale) || !std::isfinite(offset))
        return;
    SValueScaleEntry* entry = FindRecordedEntry(group, quantity);
    if (!entry)
        return;
    entry->userRatio = fullScale;
    entry->userOffset = offset;
    entry->unitText = unitText;
    entry->decimals = UserScaleDecimals(fullScale);
    entry->userScale = true;
    entry->recompute = true;
}

void CValueFormatter::SetApparentPowerScale(int group, double value)
{
    if (!(value > 0.0) || !std::isfinite(value))
        return;
    for (DWORD quantity : {DWORD(54), DWORD(55)}) {
        SValueScaleEntry* entry = FindRecordedEntry(group, quantity);
        if (!entry)
            continue;
        entry->userRatio = value;
        entry->userOffset = 0.0;
        entry->userScale = true;
        entry->recompute = true;
    }
}

void CValueFormatter::RemoveGroup(int group)
{
    if (group < 0 || group >= kGroupCount)
        return;
    for (int i = group; i + 1 < kGroupCount; ++i)
        m_groups[std::size_t(i)] = std::move(m_groups[std::size_t(i) + 1]);
    m_groups[kGroupCount - 1] = SGroup();
}
