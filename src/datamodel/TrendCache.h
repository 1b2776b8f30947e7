#pragma once
// CTrendCache: the document's trend items and grouped time blocks, built once per data set,
// item id, voltage reference and access accessSpec and shared by every view, report and export.
// Items and blocks stay until their data set is removed or the cache is cleared.
#include "datamodel/TrendAccess.h"
#include "platform/framework/WinTypes.h"

#include <memory>
#include <vector>

class CDataItemTrend;
class CDataSet;
class CTrendTimeBlock;

struct SDataItemTrendBlock
{
    std::unique_ptr<CDataItemTrend> item;
};

struct SDataTrendTimeBlock
{
    std::unique_ptr<CTrendTimeBlock> block;
};

class CTrendCache
{
public:
    CTrendCache();
    ~CTrendCache();
    CTrendCache(const CTrendCache&) = delete;
    CTrendCache& operator=(const CTrendCache&) = delete;

    // The first cached item of that key (the voltage reference 0 meaning the default); null when
    // none is cached.
    CDataItemTrend* FindTrendItem(const CDataSet* dataSet, DWORD itemId, int voltageReference,
                                  const STrendAccessSpec& accessSpec) const;
    // Builds and caches an item; callers look with FindTrendItem first. A grouped request builds
    // (or reuses) the grouped block and the raw base item first. Null when the item cannot be
    // built (no handler for the item, allocation failure, a multiple of 0).
    CDataItemTrend* GetTrendItem(CDataSet* dataSet, DWORD itemId, int voltageReference, const STrendAccessSpec& accessSpec);

    // Destroys the items and grouped blocks of one data set.
    void RemoveDataSet(const CDataSet* dataSet);
    void Clear();

    int GetItemCount() const { return int(m_items.size()); }
    int GetBlockCount() const { return int(m_blocks.size()); }

private:
    CDataItemTrend* CreateRawItem(CDataSet* dataSet, DWORD itemId, int voltageReference, bool demand);
    const CTrendTimeBlock* GetGroupedBlock(CDataSet* dataSet, const STrendAccessSpec& accessSpec);

    std::vector<SDataItemTrendBlock> m_items;
    std::vector<SDataTrendTimeBlock> m_blocks;
};
