#include "datamodel/DataItemTrend.h"

#include "datamodel/DataTable.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendHandlerTable.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/VarnError.h"

#include <glog/logging.h>

#include <algorithm>
#include <limits>
#include <new>

namespace {

const CMeasurementConfig* ConfigOf(const CDataSet* dataSet)
{
    return dataSet ? &dataSet->GetMeasurementConfig() : nullptr;
}

int ResolveReference(const CDataSet* dataSet, int reference)
{
    return dataSet ? dataSet->GetMeasurementConfig().ResolveVoltageReference(reference) : reference;
}

} // namespace

CDataItemTrend::CDataItemTrend(DWORD itemId, int voltageReference, const CDataSet* dataSet,
                               const CTrendTimeBlock* block, int& error)
    : CDataItem(itemId, ResolveReference(dataSet, voltageReference), ConfigOf(dataSet)), m_dataSet(dataSet),
      m_records(block ? block->GetRecordList() : nullptr), m_timeBlock(block)
{
    error = 0;
    if (!dataSet || !block || !m_records) {
        error = kErrorNoHandler;
        return;
    }
    InitialiseFromTimeBlock();
    m_row = FindTrendHandlerRow(DWORD(m_records->GetTableType()), itemId);
    if (!m_row) {
        LOG(INFO) << "No trend handler for table type " << m_records->GetTableType() << " and item " << itemId;
        error = kErrorNoHandler;
        return;
    }
    error = AllocateArrays();
    // An empty list is extracted too: a series read from the records exists without any.
    if (error == 0)
        m_row->ExtractRecords(*this);
}

CDataItemTrend::CDataItemTrend(const CDataItemTrend& base, int multiple, const CTrendTimeBlock* groupedBlock,
                               int& error)
    : CDataItem(base.GetItemId(), base.GetVoltageReference(), base.m_config), m_dataSet(base.m_dataSet),
      m_records(nullptr), m_timeBlock(groupedBlock), m_row(base.m_row)
{
    error = 0;
    if (!groupedBlock || !m_row) {
        error = kErrorNoHandler;
        return;
    }
    InitialiseFromTimeBlock();
    error = AllocateArrays();
    if (error != 0 || m_recordCount == 0)
        return;
    if (m_row->AggregateFrom)
        m_row->AggregateFrom(*this, base, multiple);
}

void CDataItemTrend::InitialiseFromTimeBlock()
{
    m_firstTime = m_timeBlock->GetFirstTime();
    m_lastTime = m_timeBlock->GetLastTime();
    m_intervalSeconds = double(m_timeBlock->GetIntervalSeconds());
    m_recordCount = std::max(0, m_timeBlock->GetRecordCount());
    if (m_config) {
        for (int slot = 0; slot < kTrendSlotCount; ++slot) {
            m_voltageThresholds[std::size_t(slot)] = float(m_config->GetVoltageScale(slot));
            m_currentThresholds[std::size_t(slot)] = float(m_config->GetCurrentScale(slot));
        }
    }
}

int CDataItemTrend::AllocateArrays()
{
    if (m_row->AllocateArrays(*this))
        return 0;
    m_arrays = STrendItemArrays{};
    ShowVarnError(kErrorAllocation);
    return kErrorAllocation;
}

bool CDataItemTrend::AllocateSeries(CTrendSeries& array) const
{
    return array.Allocate(std::size_t(m_recordCount));
}

std::unique_ptr<CTrendChannel> CDataItemTrend::GetChannel(DWORD quantity, DWORD phase) const
{
    if (!m_row)
        return std::make_unique<CTrendChannel>();
    if (m_row->PrepareChannel)
        m_row->PrepareChannel(*this, quantity, phase);
    return m_row->CreateChannel(*this, quantity, phase);
}

const CTrendSeries* CDataItemTrend::GetUnbalance(int index) const
{
    if (!m_arrays.harmonics || index < 0 || index > 2)
        return nullptr;
    return &m_arrays.harmonics->unbalance[std::size_t(index)];
}

float CDataItemTrend::GetVoltageThreshold(int slot) const
{
    return slot >= 0 && slot < kTrendSlotCount ? m_voltageThresholds[std::size_t(slot)] : 0.0f;
}

float CDataItemTrend::GetCurrentThreshold(int slot) const
{
    return slot >= 0 && slot < kTrendSlotCount ? m_currentThresholds[std::size_t(slot)] : 0.0f;
}

const SSeriesSummary* CDataItemTrend::FindSeriesSummary(DWORD quantity, DWORD phase, int series) const
{
    const auto found = m_summaries.find({quantity, phase, series});
    return found == m_summaries.end() ? nullptr : &found->second;
}

void CDataItemTrend::KeepSeriesSummary(DWORD quantity, DWORD phase, int series, const SSeriesSummary& summary) const
{
    m_summaries.insert_or_assign({quantity, phase, series}, summary);
}

const SDerivedSummary* CDataItemTrend::FindDerivedSummary(int kind, DWORD phase) const
{
    const auto found = m_derivedSummaries.find({kind, phase});
    return found == m_derivedSummaries.end() ? nullptr : &found->second;
}

void CDataItemTrend::KeepDerivedSummary(int kind, DWORD phase, const SDerivedSummary& summary) const
{
    m_derivedSummaries.insert_or_assign({kind, phase}, summary);
}
