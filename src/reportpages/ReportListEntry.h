#pragma once
// What the report list offers: one entry per tile, in the order of the list: the summary, the
// sessions and the saved screens ("Project Manager" section), then the bookmarks ("Bookmarks").
#include "platform/framework/CString.h"

#include <vector>

class CRecDoc;

enum EReportPicture { kDocumentPicture = 0, kTablePicture = 1, kGraphPicture = 2, kPhotographPicture = 3 };

struct SReportListEntry
{
    static constexpr int kNotABookmark = 25;

    CStringW name;
    int bookmarkType = kNotABookmark;
    int kind = 0;    // as a report item: 0 summary, 1 session, 2 saved screen, 3 bookmark
    int picture = 0; // EReportPicture
    int section = 0; // 0 "Project Manager", 1 "Bookmarks"
    int index = 0;
};

// The tile picture of a bookmark type: graph bookmarks a graph, table bookmarks a table, any
// other type the document.
int PictureOfBookmarkType(int type);
std::vector<SReportListEntry> BuildReportListEntries(const CRecDoc& document);
