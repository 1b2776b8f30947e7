#include "datamodel/TrendCache.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendTimeBlock.h"

#include <algorithm>

namespace {

// Both lists grow in steps of this many elements.
constexpr std::size_t kGrowBy = 10;

template <typename T>
void Append(std::vector<T>& list, T element)
{
    if (list.size() == list.capacity())
        list.reserve(list.size() + kGrowBy);
    list.push_back(std::move(element));
}

} // namespace

CTrendCache::CTrendCache() = default;

CTrendCache::~CTrendCache()
{
    Clear();
}

CDataItemTrend* CTrendCache::FindTrendItem(const CDataSet* dataSet, DWORD itemId, int voltageReference,
                                           const STrendAccessSpec& accessSpec) const
{
    if (!dataSet)
        return nullptr;
    const int reference = dataSet->GetMeasurementConfig().ResolveVoltageReference(voltageReference);
    for (const auto& entry : m_items) {
        const CDataItemTrend& item = *entry.item;
        if (item.GetItemId() == itemId && item.GetVoltageReference() == reference && item.GetDataSet() == dataSet &&
            item.GetTimeBlock()->GetAccessSpec() == accessSpec)
            return entry.item.get();
    }
    return nullptr;
}

CDataItemTrend* CTrendCache::CreateRawItem(CDataSet* dataSet, DWORD itemId, int voltageReference, bool demand)
{
    const CTrendTimeBlock* block = demand ? dataSet->GetDemandTimeBlock() : dataSet->GetTrendTimeBlock();
    int error = 0;
    auto item = std::make_unique<CDataItemTrend>(itemId, voltageReference, dataSet, block, error);
    if (error != 0)
        return nullptr;
    CDataItemTrend* raw = item.get();
    Append(m_items, SDataItemTrendBlock{std::move(item)});
    return raw;
}

const CTrendTimeBlock* CTrendCache::GetGroupedBlock(CDataSet* dataSet, const STrendAccessSpec& accessSpec)
{
    for (const auto& entry : m_blocks)
        if (entry.block->GetDataSet() == dataSet && entry.block->GetAccessSpec() == accessSpec)
            return entry.block.get();
    const CTrendTimeBlock* raw = accessSpec.demand ? dataSet->GetDemandTimeBlock() : dataSet->GetTrendTimeBlock();
    auto block = std::make_unique<CTrendTimeBlock>(*raw, accessSpec.multiple);
    const CTrendTimeBlock* grouped = block.get();
    Append(m_blocks, SDataTrendTimeBlock{std::move(block)});
    return grouped;
}

CDataItemTrend* CTrendCache::GetTrendItem(CDataSet* dataSet, DWORD itemId, int voltageReference,
                                          const STrendAccessSpec& accessSpec)
{
    if (!dataSet || accessSpec.multiple == 0)
        return nullptr;
    if (!accessSpec.IsGrouped())
        return CreateRawItem(dataSet, itemId, voltageReference, accessSpec.demand != 0);

    const CTrendTimeBlock* grouped = GetGroupedBlock(dataSet, accessSpec);
    const STrendAccessSpec baseSpec{accessSpec.demand, 1};
    CDataItemTrend* base = FindTrendItem(dataSet, itemId, voltageReference, baseSpec);
    if (!base)
        base = CreateRawItem(dataSet, itemId, voltageReference, accessSpec.demand != 0);
    if (!base)
        return nullptr;
    int error = 0;
    auto item = std::make_unique<CDataItemTrend>(*base, int(accessSpec.multiple), grouped, error);
    if (error != 0)
        return nullptr;
    CDataItemTrend* result = item.get();
    Append(m_items, SDataItemTrendBlock{std::move(item)});
    return result;
}

void CTrendCache::RemoveDataSet(const CDataSet* dataSet)
{
    // Items first: a grouped item refers to its grouped block.
    std::erase_if(m_items, [dataSet](const SDataItemTrendBlock& entry) { return entry.item->GetDataSet() == dataSet; });
    std::erase_if(m_blocks, [dataSet](const SDataTrendTimeBlock& entry) { return entry.block->GetDataSet() == dataSet; });
}

void CTrendCache::Clear()
{
    m_items.clear();
    m_blocks.clear();
}
