#include "datamodel/TrendChannelAccess.h"

#include "datamodel/TrendSeries.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <new>

namespace
{
// Accessors are created without throwing: a failed allocation leaves the channel's series absent.
template <typename T, typename... Args>
std::unique_ptr<ITrendChannelAccess> MakeAccess(Args&&... args)
{
    return std::unique_ptr<ITrendChannelAccess>(new (std::nothrow) T(std::forward<Args>(args)...));
}
} // namespace

void TrendChannelAccessCopy::ReadValues(int first, int count, float* values) const
{
    std::memcpy(values, m_values + first, sizeof(float) * std::size_t(std::max(count, 0)));
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessCopy::Clone() const
{
    return MakeAccess<TrendChannelAccessCopy>(m_values);
}

float TrendChannelAccessCopySign::GetValue(int index) const
{
    return WithSignOf(m_values[index], m_signs[index]);
}

void TrendChannelAccessCopySign::ReadValues(int first, int count, float* values) const
{
    for (int i = 0; i < count; ++i)
        values[i] = WithSignOf(m_values[first + i], m_signs[first + i]);
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessCopySign::Clone() const
{
    return MakeAccess<TrendChannelAccessCopySign>(m_values, m_signs);
}

float TrendChannelAccessSeries::GetValue(int index) const
{
    const float value = (*m_values)[index];
    return m_signs ? WithSignOf(value, (*m_signs)[index]) : value;
}

void TrendChannelAccessSeries::ReadValues(int first, int count, float* values) const
{
    m_values->Read(std::size_t(first), std::size_t(std::max(count, 0)), values);
    if (!m_signs)
        return;
    // The signs come in runs small enough for the stack.
    std::array<float, 256> signs;
    for (int done = 0; done < count; done += int(signs.size())) {
        const int run = std::min(count - done, int(signs.size()));
        m_signs->Read(std::size_t(first + done), std::size_t(run), signs.data());
        for (int i = 0; i < run; ++i)
            values[done + i] = WithSignOf(values[done + i], signs[std::size_t(i)]);
    }
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessSeries::Clone() const
{
    return MakeAccess<TrendChannelAccessSeries>(m_values, m_signs);
}

void TrendChannelAccessRatio::ReadValues(int first, int count, float* values) const
{
    for (int i = 0; i < count; ++i)
        values[i] = m_values[first + i] * m_ratio;
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessRatio::Clone() const
{
    return MakeAccess<TrendChannelAccessRatio>(m_values, m_ratio);
}

void TrendChannelAccessGenericRatio::ReadValues(int first, int count, float* values) const
{
    m_inner->ReadValues(first, count, values);
    for (int i = 0; i < count; ++i)
        values[i] = values[i] * m_ratio;
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessGenericRatio::Clone() const
{
    auto inner = m_inner->Clone();
    if (!inner)
        return nullptr;
    return MakeAccess<TrendChannelAccessGenericRatio>(std::move(inner), m_ratio);
}

void TrendChannelAccessFilter::ReadValues(int first, int count, float* values) const
{
    for (int i = 0; i < count; ++i)
        values[i] = m_filter(m_values[first + i]);
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessFilter::Clone() const
{
    return MakeAccess<TrendChannelAccessFilter>(m_values, m_filter);
}

void TrendChannelAccessGenericFilter::ReadValues(int first, int count, float* values) const
{
    m_inner->ReadValues(first, count, values);
    for (int i = 0; i < count; ++i)
        values[i] = m_filter(values[i]);
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessGenericFilter::Clone() const
{
    auto inner = m_inner->Clone();
    if (!inner)
        return nullptr;
    return MakeAccess<TrendChannelAccessGenericFilter>(std::move(inner), m_filter);
}

void TrendChannelAccessRatioOffset::ReadValues(int first, int count, float* values) const
{
    for (int i = 0; i < count; ++i)
        values[i] = m_values[first + i] * m_ratio + m_offset;
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessRatioOffset::Clone() const
{
    return MakeAccess<TrendChannelAccessRatioOffset>(m_values, m_ratio, m_offset);
}

void TrendChannelAccessGenericRatioOffset::ReadValues(int first, int count, float* values) const
{
    m_inner->ReadValues(first, count, values);
    for (int i = 0; i < count; ++i)
        values[i] = values[i] * m_ratio + m_offset;
}

std::unique_ptr<ITrendChannelAccess> TrendChannelAccessGenericRatioOffset::Clone() const
{
    auto inner = m_inner->Clone();
    if (!inner)
        return nullptr;
    return MakeAccess<TrendChannelAccessGenericRatioOffset>(std::move(inner), m_ratio, m_offset);
}

std::unique_ptr<ITrendChannelAccess> ApplyFilter(std::unique_ptr<ITrendChannelAccess> input, TrendValueFilter filter)
{
    if (!input)
        return nullptr;
    // A filter is never folded into a ratio: filtering a scaled series wraps it.
    if (const auto* copy = dynamic_cast<const TrendChannelAccessCopy*>(input.get()))
        return MakeAccess<TrendChannelAccessFilter>(copy->GetValues(), filter);
    return MakeAccess<TrendChannelAccessGenericFilter>(std::move(input), filter);
}

std::unique_ptr<ITrendChannelAccess> Scale(std::unique_ptr<ITrendChannelAccess> input, float k)
{
    if (!input)
        return nullptr;
    // The classes are final, so each cast tests the exact class.
    if (const auto* copy = dynamic_cast<const TrendChannelAccessCopy*>(input.get()))
        return MakeAccess<TrendChannelAccessRatio>(copy->GetValues(), k);
    if (const auto* ratio = dynamic_cast<const TrendChannelAccessRatio*>(input.get()))
        return MakeAccess<TrendChannelAccessRatio>(ratio->GetValues(), ratio->GetRatio() * k);
    if (auto* generic = dynamic_cast<TrendChannelAccessGenericRatio*>(input.get()))
    {
        const float r = generic->GetRatio() * k;
        return MakeAccess<TrendChannelAccessGenericRatio>(generic->ReleaseInner(), r);
    }
    if (const auto* ro = dynamic_cast<const TrendChannelAccessRatioOffset*>(input.get()))
        return MakeAccess<TrendChannelAccessRatioOffset>(ro->GetValues(), ro->GetRatio() * k, ro->GetOffset() * k);
    if (auto* gro = dynamic_cast<TrendChannelAccessGenericRatioOffset*>(input.get()))
    {
        const float r = gro->GetRatio() * k;
        const float o = gro->GetOffset() * k;
        return MakeAccess<TrendChannelAccessGenericRatioOffset>(gro->ReleaseInner(), r, o);
    }
    return MakeAccess<TrendChannelAccessGenericRatio>(std::move(input), k);
}

std::unique_ptr<ITrendChannelAccess> ScaleOffset(std::unique_ptr<ITrendChannelAccess> input, float k, float c)
{
    if (!input)
        return nullptr;
    if (const auto* copy = dynamic_cast<const TrendChannelAccessCopy*>(input.get()))
        return MakeAccess<TrendChannelAccessRatioOffset>(copy->GetValues(), k, c);
    if (const auto* ratio = dynamic_cast<const TrendChannelAccessRatio*>(input.get()))
        return MakeAccess<TrendChannelAccessRatioOffset>(ratio->GetValues(), ratio->GetRatio() * k, c);
    if (auto* generic = dynamic_cast<TrendChannelAccessGenericRatio*>(input.get()))
    {
        const float r = generic->GetRatio() * k;
        return MakeAccess<TrendChannelAccessGenericRatioOffset>(generic->ReleaseInner(), r, c);
    }
    if (const auto* ro = dynamic_cast<const TrendChannelAccessRatioOffset*>(input.get()))
        return MakeAccess<TrendChannelAccessRatioOffset>(ro->GetValues(), ro->GetRatio() * k, ro->GetOffset() * k + c);
    if (auto* gro = dynamic_cast<TrendChannelAccessGenericRatioOffset*>(input.get()))
    {
        const float r = gro->GetRatio() * k;
        const float o = gro->GetOffset() * k + c;
        return MakeAccess<TrendChannelAccessGenericRatioOffset>(gro->ReleaseInner(), r, o);
    }
    return MakeAccess<TrendChannelAccessGenericRatioOffset>(std::move(input), k, c);
}
