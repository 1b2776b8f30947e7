#pragma once
// Settings of the report view: which list panels are collapsed, the splitter position and the
// ordered report items, each naming a project entry by its kind and position.
#include <memory>
#include <vector>

#include "project/ViewSettings.h"

struct SReportItem
{
    enum EType { kSummary = 0, kSession = 1, kSavedScreen = 2, kBookmark = 3 };

    int Type = kSummary;
    int Index = 0;
    int Collapsed = 0;

    friend bool operator==(const SReportItem&, const SReportItem&) = default;
};

class CReportViewSettings : public CViewSettings
{
public:
    explicit CReportViewSettings(int viewId = kReportViewId) : CViewSettings(viewId) {}
    CReportViewSettings(const CReportViewSettings&) = default;
    CReportViewSettings& operator=(const CReportViewSettings&) = default;

    ESettingsType GetType() const override { return kReportView; }
    std::unique_ptr<CViewSettings> Clone() const override;
    // Always writes, present or not.
    void ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const override;
    bool ImportFromXml(const XmlNode* element) override;
    void CopyFrom(const CViewSettings* other);

    bool HasItem(int type, int index) const;
    // False, changing nothing, when an item of that kind uses index i; otherwise the items of
    // that kind above i move down by one.
    bool RemoveSessionItemIndex(int i) { return RemoveItemIndex(SReportItem::kSession, i); }
    bool RemoveSavedScreenItemIndex(int i) { return RemoveItemIndex(SReportItem::kSavedScreen, i); }
    bool RemoveBookmarkItemIndex(int i) { return RemoveItemIndex(SReportItem::kBookmark, i); }

    // Items read from a file whose type is unknown or whose index names no entry of the project
    // are dropped with a warning line; returns how many were dropped.
    int DropInvalidItems(int sessionCount, int savedScreenCount, int bookmarkCount);

    int m_projectManagerListCollapsed = 0;
    int m_bookmarkListCollapsed = 0;
    int m_splitterPos = 0;
    std::vector<SReportItem> m_items;
    // The user arranged the report: the items replace the automatic report's default list, even
    // when there are none. Kept in the file as the presence of the item container.
    bool m_itemsArranged = false;

private:
    bool RemoveItemIndex(int type, int i);
    bool ImportReportItemTablesFromXml(const XmlNode* node);
};
