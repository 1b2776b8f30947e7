#pragma once
// CDataItemTrend: the values of one item of one record series of a data set as float arrays per
// phase slot, ready for charts, tables, reports and exports. A raw item reads the record list
// of its time block; a grouped item is built from a raw item by grouping a fixed number of
// consecutive records. The handler row of (table type, item id) decides which arrays exist and
// how they are filled, grouped and handed out as channels.
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemArrays.h"
#include "datamodel/DataItem.h"
#include "datamodel/SeriesSummary.h"

#include <array>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

class CDataSet;
class CDataTable;
class CTrendTimeBlock;
struct STrendHandlerRow;

class CDataItemTrend : public CDataItem
{
public:
    static constexpr int kErrorNoHandler = 44;
    static constexpr int kErrorAllocation = 46;

    // A raw item over the block's record list; `error` is 0 on success. A voltage reference of
    // 0 stands for the configuration's default.
    CDataItemTrend(DWORD itemId, int voltageReference, const CDataSet* dataSet, const CTrendTimeBlock* block,
                   int& error);
    // The base item's records grouped by `multiple` over the grouped block.
    CDataItemTrend(const CDataItemTrend& base, int multiple, const CTrendTimeBlock* groupedBlock, int& error);

    // A new channel of one quantity and phase (0, 1, 2 or 5); an empty channel (quantity 121,
    // phase 6) for a quantity the item does not serve. Derived series (THD, energies, running
    // sums) are computed on their first request.
    std::unique_ptr<CTrendChannel> GetChannel(DWORD quantity, DWORD phase) const;

    DWORD GetItemId() const { return m_ownerValue; }
    int GetVoltageReference() const { return m_quantityValue; }
    const CDataSet* GetDataSet() const { return m_dataSet; }
    const CDataTable* GetRecordList() const { return m_records; }
    const CTrendTimeBlock* GetTimeBlock() const { return m_timeBlock; }
    const STrendHandlerRow* GetHandlerRow() const { return m_row; }
    // The configuration the item was made for; never null for a constructed item.
    const CMeasurementConfig& GetConfig() const { return *m_config; }

    // Unbalance series 0..2 of a harmonics item; null otherwise or for an index above 2.
    const CTrendSeries* GetUnbalance(int index) const;
    // Thresholds of phase slot 0..3 (0 outside): a derived ratio is NaN below them.
    float GetVoltageThreshold(int slot) const;
    float GetCurrentThreshold(int slot) const;

    // The arrays, filled by the record handlers; the on-demand series are added to them by
    // channel requests of a const item, hence the mutable storage.
    STrendItemArrays& Arrays() const { return m_arrays; }
    // A new array of one float per record, all NaN; false when it cannot be allocated.
    bool AllocateSeries(CTrendSeries& array) const;

    // The summary of series 0..2 of a channel over all the item's records, once taken (see
    // TakeSeriesSummaries); null before. The records never change, and the graph's scales and
    // both tables of a page ask for the same ones. Further series numbers are the callers' own
    // (the tables keep a power factor's signed extremes there).
    const SSeriesSummary* FindSeriesSummary(DWORD quantity, DWORD phase, int series) const;
    void KeepSeriesSummary(DWORD quantity, DWORD phase, int series, const SSeriesSummary& summary) const;
    // Figures a caller derives from several series over all the item's records (a mean of
    // products, a weighted power), kept under a key of the caller's choosing in the same way.
    const SDerivedSummary* FindDerivedSummary(int kind, DWORD phase) const;
    void KeepDerivedSummary(int kind, DWORD phase, const SDerivedSummary& summary) const;

private:
    void InitialiseFromTimeBlock();
    // The row's allocation; code 46 is shown and returned when it fails.
    int AllocateArrays();

    const CDataSet* m_dataSet;
    const CDataTable* m_records;
    const CTrendTimeBlock* m_timeBlock;
    mutable STrendItemArrays m_arrays;
    std::array<float, kTrendSlotCount> m_voltageThresholds{};
    std::array<float, kTrendSlotCount> m_currentThresholds{};
    const STrendHandlerRow* m_row = nullptr;
    mutable std::map<std::tuple<DWORD, DWORD, int>, SSeriesSummary> m_summaries;
    mutable std::map<std::pair<int, DWORD>, SDerivedSummary> m_derivedSummaries;
};
