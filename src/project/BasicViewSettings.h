#pragma once
// Settings of the nine study views (Energy study 0..4, Load study 5..8): shown channels,
// limits, time range, working hours, notes, cursors, collapsed sections, colours, splitter row.
// Which fields a view writes and reads depends on its view id.
#include <array>
#include <memory>
#include <vector>

#include "project/SCurAxisDetails.h"
#include "project/ViewSettings.h"
#include "project/ViewSettingsRecords.h"
#include "project/structAddNotes.h"

class CMeasurementConfig;

class CBasicViewSettings : public CViewSettings
{
public:
    static constexpr int kMaxSessions = 4;
    static constexpr int kQuantityGroups = 5; // var1..var5
    static constexpr int kChannelPhases = 4;  // phaseA, phaseB, phaseC, total
    static constexpr int kLimits = 6;
    static constexpr int kCollapseStates = 10;
    static constexpr int kWorkingDays = 7;

    explicit CBasicViewSettings(int viewId);
    CBasicViewSettings(const CBasicViewSettings&) = default;
    CBasicViewSettings& operator=(const CBasicViewSettings&) = default;

    ESettingsType GetType() const override { return kStudyView; }
    std::unique_ptr<CViewSettings> Clone() const override;
    void ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const override;
    bool ImportFromXml(const XmlNode* element) override;

    // Every field from another study-view settings object; anything else only clears the
    // present flag.
    void CopyFrom(const CViewSettings* other);

    int GetDemandPeriod() const { return m_demandPeriod; }
    void ResetDemandSettings();

    // Session references read from a file that point past the project's sessions (thumb
    // selections, custom colours) or below "not placed" (x cursors) are dropped with a warning
    // line; returns how many were dropped. The import checks against the view's capacity of
    // four sessions; the project checks again with its real session count.
    int DropInvalidIndices(int sessionCount);

    // Keeping session references right when session i leaves the project.
    void RemoveSession(int session);
    void RenumberNotes(int session);

    // Per-session nominal voltage override.
    void SetNominalVoltage(int session, const CMeasurementConfig& config, float nominal, int topology);
    void GetNominalVoltage(int session, const CMeasurementConfig& config, float& nominal, int& topology) const;
    void ReconcileNominalVoltage(int session, const CMeasurementConfig* config);

    // Custom colour table.
    bool FindCustomColor(int measurementId, int dataType, int phase, int mamType, COLORREF& color) const;
    SCustomColor* FindCustomColorExact(int measurementId, int dataType, int phase, int mamType);
    void SetCustomColor(int measurementId, int dataType, int phase, int mamType, COLORREF color);
    bool HasCustomColors() const { return !m_customColors.empty(); }
    void ClearCustomColors() { m_customColors.clear(); }

    // A note's name has one of the two note forms; a six-number name of an attached note is
    // completed with ".0".
    static bool IsValidNoteName(structAddNotes& note);

    SCurAxisDetails m_upperPlot;
    std::array<std::array<bool, kChannelPhases>, kQuantityGroups> m_channels{};
    std::array<bool, 2> m_aux{};
    std::array<bool, 6> m_isMaxMin{};
    std::array<bool, kLimits> m_isLimit{};
    std::array<bool, 3> m_isCumulative{};
    bool m_isIndCap = false;
    std::array<bool, kMaxSessions> m_sessions{};
    std::array<float, kLimits> m_limits{};
    std::array<bool, kCollapseStates> m_collStates{};
    int m_LSOPressedTab = 0;
    int m_RSOPressedTab = 0;
    int m_graphOptionsCollapse = 0;
    int m_RefAxis = 0;
    bool m_checkTimeRange = false;
    int m_typeTimeRange = 0; // -1..2
    SValueRange m_timeRange;
    SValueRange m_xAxisScaling;
    std::array<bool, kWorkingDays> m_workingDays{};
    bool m_setWorkingHours = false;
    SValueRange m_workingHours;
    int m_calendarViewParameter = 0;
    int m_calendarViewChannel = 0;
    int m_calendarViewGranularity = 0;
    std::array<SCalendarThumbSelection, 2> m_thumbSelections{};
    int m_demandPeriod = 0; // seconds; 0 = the session's recorded demand interval
    bool m_useTrendDataForDemand = false;
    std::vector<SDemandCostTable> m_costTables;
    SToolbarEditTexts m_toolbarEdit;
    CString m_tableCollapse;
    CString m_tableTimeRangeCollapse;
    std::vector<SNominalVoltageOverride> m_nominalVoltages;
    std::vector<structAddNotes> m_notes;
    int m_mainViewSplitterAActiveRow = -1;
    std::vector<SCustomColor> m_customColors;

private:
    // How many numbers of the form "Note %d.%d.%d.%d.%d.%d.%d" the name holds (unread ones -1).
    static int ScanNoteName(const CString& name, std::array<int, 7>& numbers);

    bool ImportFields(const XmlNode* element);
    bool ImportSessionsFromXml(const XmlNode* node);
    bool ImportBasicChannelsFromXml(const XmlNode* node);
    bool ImportLimitsFromXml(const XmlNode* node);
    bool ImportEstimatedPowerFromXml(const XmlNode* node);
    bool ImportCollapseStateFromXml(const XmlNode* node, int count);
    static bool ImportRangeFromXml(SValueRange& range, const XmlNode* node);
    bool ImportWorkingHourXml(const XmlNode* node);
    bool ImportNotesFromXml(const XmlNode* node);
    bool ImportCalendarViewThumbSelectedXml(const XmlNode* node);
    bool ImportDemandCostTablesFromXml(const XmlNode* node);
    bool ImportToolBarEditBoxFromXml(const XmlNode* node);
    bool ImportChannelCustomColorsFromXml(const XmlNode* node);

    void ExportChannels(XmlDocument& doc, XmlNode& parent) const;
};
