#pragma once
// One quantity and one phase of a trend item: up to three value series (minimum, average,
// maximum), each read through its own accessor. The accessors point into the item's arrays,
// so a channel must be destroyed before its item.
#include "datamodel/HighTime.h"
#include "datamodel/ITrendChannelAccess.h"
#include "platform/framework/WinTypes.h"

#include <array>
#include <memory>

class CDataItemTrend;
class CTrendSeries;

class CTrendChannel
{
public:
    static constexpr DWORD kEmptyQuantity = 121;
    static constexpr DWORD kEmptyPhase = 6;
    static constexpr int kSeriesCount = 3; // 0 minimum, 1 average, 2 maximum

    using ValueArrays = std::array<const CTrendSeries*, kSeriesCount>;

    // An empty channel: no series.
    CTrendChannel() = default;
    // An access for each present series: a plain copy access where the series keeps floats of
    // its own, a series access where it reads the records.
    CTrendChannel(const ValueArrays& values, DWORD recordCount, DWORD quantity, DWORD phase,
                  const CDataItemTrend* item);
    // As above, but a series whose sign series is present reads its values with that sign
    // (power factors signed by the active power).
    CTrendChannel(const ValueArrays& values, const ValueArrays& signs, DWORD recordCount, DWORD quantity,
                  DWORD phase, const CDataItemTrend* item);

    CTrendChannel(const CTrendChannel&) = delete;
    CTrendChannel& operator=(const CTrendChannel&) = delete;

    // Null when the series is absent; callers skip it.
    const ITrendChannelAccess* GetAccess(int series) const;
    DWORD GetRecordCount() const { return m_recordCount; }
    DWORD GetQuantity() const { return m_quantity; }
    DWORD GetPhase() const { return m_phase; }
    const CDataItemTrend* GetItem() const { return m_item; }

    // Each present accessor is replaced by its composition; factors multiply when applied twice.
    void ApplyFilter(TrendValueFilter filter);
    void Scale(float k);
    void ScaleOffset(float k, float c);

    // View state owned by the study views; initialised here, not interpreted.
    int m_viewState0 = 0;
    int m_viewState1 = -1;
    int m_viewState2 = 0;

private:
    std::array<std::unique_ptr<ITrendChannelAccess>, kSeriesCount> m_access;
    DWORD m_recordCount = 0;
    DWORD m_quantity = kEmptyQuantity;
    DWORD m_phase = kEmptyPhase;
    const CDataItemTrend* m_item = nullptr;

public:
    int m_viewState3 = -1;
    CHighTime m_viewTime;
};
