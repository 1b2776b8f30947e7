#include "datamodel/TrendChannel.h"

#include "datamodel/TrendChannelAccess.h"
#include "datamodel/TrendSeries.h"

#include <new>

CTrendChannel::CTrendChannel(const ValueArrays& values, DWORD recordCount, DWORD quantity, DWORD phase,
                             const CDataItemTrend* item)
    : CTrendChannel(values, ValueArrays{}, recordCount, quantity, phase, item)
{
}

CTrendChannel::CTrendChannel(const ValueArrays& values, const ValueArrays& signs, DWORD recordCount,
                             DWORD quantity, DWORD phase, const CDataItemTrend* item)
    : m_recordCount(recordCount), m_quantity(quantity), m_phase(phase), m_item(item)
{
    for (int s = 0; s < kSeriesCount; ++s)
    {
        const CTrendSeries* value = values[s];
        if (!value || !*value)
            continue;
        const CTrendSeries* sign = signs[s] && *signs[s] ? signs[s] : nullptr;
        if (value->Data() && !sign)
            m_access[s].reset(new (std::nothrow) TrendChannelAccessCopy(value->Data()));
        else if (value->Data() && sign->Data())
            m_access[s].reset(new (std::nothrow) TrendChannelAccessCopySign(value->Data(), sign->Data()));
        else
            m_access[s].reset(new (std::nothrow) TrendChannelAccessSeries(value, sign));
    }
}

const ITrendChannelAccess* CTrendChannel::GetAccess(int series) const
{
    if (series < 0 || series >= kSeriesCount)
        return nullptr;
    return m_access[series].get();
}

void CTrendChannel::ApplyFilter(TrendValueFilter filter)
{
    for (auto& access : m_access)
        if (access)
            access = ::ApplyFilter(std::move(access), filter);
}

void CTrendChannel::Scale(float k)
{
    for (auto& access : m_access)
        if (access)
            access = ::Scale(std::move(access), k);
}

void CTrendChannel::ScaleOffset(float k, float c)
{
    for (auto& access : m_access)
        if (access)
            access = ::ScaleOffset(std::move(access), k, c);
}
