#pragma once
// The base of every plotted data item: what it was made for (owner value, configuration,
// quantity value) and the time range it covers. A trend item keeps its item id as owner value
// and its voltage reference as quantity value.
#include "datamodel/HighTime.h"
#include "platform/framework/WinTypes.h"

class CMeasurementConfig;

class CDataItem
{
public:
    CDataItem(DWORD ownerValue, int quantityValue, const CMeasurementConfig* config)
        : m_ownerValue(ownerValue), m_config(config), m_quantityValue(quantityValue)
    {
    }
    virtual ~CDataItem() = default;

    CDataItem(const CDataItem&) = delete;
    CDataItem& operator=(const CDataItem&) = delete;

    DWORD GetOwnerValue() const { return m_ownerValue; }
    const CMeasurementConfig* GetMeasurementConfig() const { return m_config; }
    int GetQuantityValue() const { return m_quantityValue; }
    const CHighTime& GetFirstTime() const { return m_firstTime; }
    const CHighTime& GetLastTime() const { return m_lastTime; }
    double GetIntervalSeconds() const { return m_intervalSeconds; }
    int GetRecordCount() const { return m_recordCount; }

protected:
    DWORD m_ownerValue;
    const CMeasurementConfig* m_config;
    int m_quantityValue;
    CHighTime m_firstTime;
    CHighTime m_lastTime;
    double m_intervalSeconds = 0.0;
    int m_recordCount = 0;
};
