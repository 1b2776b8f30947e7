#pragma once
// Base of the per-view settings a project keeps (one object per view id) and bookmarks keep as
// snapshots. The view table names every view for "lastView" and for its element in "views".
#include <array>
#include <memory>

#include "project/SCurAxisDetails.h"
#include "project/XmlValue.h"

class CViewSettings
{
public:
    // What GetType answers, and which settings class reading creates for a view id.
    enum ESettingsType { kStudyView = 0, kProjectManager = 1, kReportView = 2 };

    struct SViewTableRow
    {
        int viewId;
        const char* viewName;
        const char* elementName;
        ESettingsType settingsType;
    };

    static constexpr int kViewCount = 11;
    static constexpr int kProjectManagerViewId = 9;
    static constexpr int kReportViewId = 10;
    static constexpr std::array<SViewTableRow, kViewCount> kViewTable{{
        {0, "SummaryGraph", "summaryView", kStudyView},
        {1, "DemandGraph", "demandView", kStudyView},
        {2, "CalendarGraph", "calendarView", kStudyView},
        {3, "FundamentalPowerGraph", "fundamentalPowerView", kStudyView},
        {4, "VAHzTHDGraph", "VAHzTHDGraph", kStudyView},
        {5, "LoadStudySummaryGraph", "summaryLoadStudyView", kStudyView},
        {6, "LoadStudyCalendarGraph", "calendarLoadStudyView", kStudyView},
        {7, "LoadStudyFundamentalPowerGraph", "fundamentalPowerLoadStudyView", kStudyView},
        {8, "LoadStudyVAHzTHDGraph", "VAHzTHDLoadStudyGraph", kStudyView},
        {9, "ProjectManager", "projectManagerView", kProjectManager},
        {10, "ReportView", "reportView", kReportView},
    }};

    explicit CViewSettings(int viewId) : m_viewId(viewId) {}
    virtual ~CViewSettings() = default;

    virtual ESettingsType GetType() const = 0;
    // A new object of the same class with every field copied; the caller owns it.
    virtual std::unique_ptr<CViewSettings> Clone() const = 0;
    // Appends an element of the given name under the parent and writes the settings into it.
    virtual void ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const = 0;
    // Marks the object present and reads it from the element; false at the first failure,
    // with what was read before it kept.
    virtual bool ImportFromXml(const XmlNode* element) = 0;

    bool IsPresent() const { return m_present; }
    void SetPresent(bool present) { m_present = present; }
    int GetViewId() const { return m_viewId; }

    static bool IsCalendarView(int viewId) { return viewId == 2 || viewId == 6; }
    static bool IsDemandView(int viewId) { return viewId == 1; }
    static bool IsLoadStudyView(int viewId) { return viewId >= 5 && viewId <= 8; }
    static bool IsSummaryDemandOrFundamentalView(int viewId)
    {
        return viewId == 0 || viewId == 1 || viewId == 3 || viewId == 7;
    }
    static bool IsStudyView(int viewId) { return viewId >= 0 && viewId <= 8; }

    // Null, and kStudyView for the type, when the id is outside the table.
    static const char* GetViewName(int viewId);
    static const char* GetViewElementName(int viewId);
    static ESettingsType GetSettingsType(int viewId);

    // The study graphs' cursor and axis block.
    static void ExportCurAxisDetailsToXml(const SCurAxisDetails& details, const char* name, XmlDocument& doc,
                                          XmlNode& parent);
    static bool ImportCurAxisDetailsFromXml(SCurAxisDetails& details, const XmlNode* element);

protected:
    CViewSettings(const CViewSettings&) = default;
    CViewSettings& operator=(const CViewSettings&) = default;

    bool m_present = false;
    int m_viewId;
};
