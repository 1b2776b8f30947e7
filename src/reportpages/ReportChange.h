#pragma once
// The report pages' record that the document hands to every view (message 1058): an entry of
// the report list to add to the report or to remove from it, or a list tile dragged over the
// report content.
#include "platform/framework/windows/Messages.h"
#include "projectmanager/ProjectManagerBasicGrid.h"
#include "reportpages/ReportListEntry.h"

struct SSplitterDragRecord;

struct SReportChange
{
    static constexpr int kAdd = 6;
    static constexpr int kRemove = 7;
    static constexpr int kDragOver = 10;

    int kind = kAdd;
    SReportListEntry entry;
    // Where the tile was dropped or is being dragged; null: append.
    const SSplitterDragRecord* drag = nullptr;
};

// The private messages of the report pages.
inline constexpr UINT WM_REPORT_LIST_COMMAND = WM_USER + 32; // 1056: menu command, tile key
// 1060 (WM_PM_CARD_STATE) carries the grid notifications below; wParam the grid.
enum EReportGridCode
{
    kReportSectionExpanded = 0,
    kReportSectionCollapsed = 1,
    kReportSecondSectionExpanded = 2,
    kReportSecondSectionCollapsed = 3,
    kReportRemoveItem = 4,
    kReportRestoreItem = 5,
    kReportAddToReport = 6,
    kReportRemoveFromReport = 7,
    kReportRemoveFromProject = 8,
    kReportRestoreBookmark = 9,
    kReportRefreshSettings = 11,
    kReportRenameProjectItem = 12,
    kReportRenameBookmark = 13,
};
