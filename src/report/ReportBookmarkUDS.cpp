#include "report/ReportBookmarkUDS.h"

#include "datamodel/DateTimeFormats.h"
#include "datamodel/IntervalText.h"
#include "datamodel/QuantityDescriptor.h"
#include "datamodel/QuantityInfo.h"
#include "datamodel/RegionalPhaseName.h"
#include "datamodel/TimeText.h"
#include "project/BasicViewSettings.h"
#include "project/Bookmark.h"
#include "project/RecDoc.h"
#include "report/ReportStrings.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace
{
constexpr int kDemandOverviewTable = 3;
constexpr int kDemandTimeRangeTable = 4;
static_assert(std::string_view(kBookmarkTypes[kDemandOverviewTable].name) == "DemandOverviewTable");
static_assert(std::string_view(kBookmarkTypes[kDemandTimeRangeTable].name) == "DemandTimeRangeTable");

constexpr int kAuxGroup = 5;
constexpr DWORD kAuxQuantity = 53;
constexpr DWORD kUnknownGroupQuantity = 121;

struct SGroupName
{
    int view;
    int group;
    const char* name;
    DWORD quantity;
};

constexpr SGroupName kGroupNames[] = {
    {0, 0, "P [W]", 5},         {0, 1, "S [VA]", 6},         {0, 2, "Q [var]", 7},      {0, 3, "PF [1]", 8},
    {0, 5, "Aux", 53},          {1, 0, "Ep [Wh]", 41},       {1, 1, "Es [VAh]", 42},    {1, 2, "Eq [varh]", 43},
    {1, 3, "PF [1]", 8},        {1, 5, "Aux", 53},           {3, 0, "P [W]", 20},       {3, 1, "S [VA]", 21},
    {3, 2, "Q [var]", 22},      {3, 3, "DPF [1]", 9},        {3, 5, "Aux", 53},         {4, 0, "Volt [V]", 0},
    {4, 1, "Current [A]", 1},   {4, 2, "Freq [Hz]", 2},      {4, 3, "THD-V [%]", 29},   {4, 4, "THD-A [%]", 30},
    {4, 5, "Aux", 53},          {5, 1, "S [VA]", 54},        {5, 5, "Aux", 53},         {8, 1, "Current [A]", 1},
    {8, 2, "Freq [Hz]", 2},     {8, 4, "THD-A [%]", 30},     {8, 5, "Aux", 53},
};

const SGroupName* FindGroup(int view, int group)
{
    for (const SGroupName& row : kGroupNames)
        if (row.view == view && row.group == group)
            return &row;
    return nullptr;
}

CString GroupName(int view, int group)
{
    const SGroupName* row = FindGroup(view, group);
    return row ? CString(row->name) : CString();
}

// The group's name without its unit: a value beside it carries the unit it is written in.
CString ChannelName(int view, int group)
{
    CString name = GroupName(view, group);
    if (const int bracket = name.Find(" ["); bracket > 0 && name.Right(1) == "]")
        name = name.Left(bracket);
    return name;
}

// Demand periods the demand view offers; any other is a shortest common interval.
constexpr int kOfferedDemandPeriods[] = {600, 900, 1200, 1800, 3600};

CString Mark(bool set) { return set ? "X" : ""; }

CString FormatTimeOfDay(double dayFraction, const CString& format)
{
    long minutes = std::lround(dayFraction * 24 * 60);
    std::tm tm{};
    tm.tm_year = 100;
    tm.tm_mday = 1;
    tm.tm_hour = int(minutes / 60 % 24);
    tm.tm_min = int(minutes % 60);
    CString text;
    FormatBrokenDownTime(format, tm, text);
    return text;
}
} // namespace

CReportBookmarkUDS::CReportBookmarkUDS(const CRecDoc& document, const CBookmark& bookmark, int kind)
    : m_document(document),
      m_bookmark(bookmark),
      m_settings(dynamic_cast<const CBasicViewSettings*>(bookmark.GetViewSettings())),
      m_user(bookmark.GetUserViewSettings()),
      m_view(bookmark.GetStudyView())
{
    struct SKind
    {
        std::vector<const char*> columns;
        void (CReportBookmarkUDS::*fill)();
    };
    static const SKind kinds[] = {
        {{"Name", "ID"}, &CReportBookmarkUDS::AddSessions},
        {{"Name", "L1", "L2", "L3", "Total", "Aux1", "Aux2", "MinMax"}, &CReportBookmarkUDS::AddLeftAxisOptions},
        {{"Name", "L1", "L2", "L3", "Total", "Aux1", "Aux2", "MinMax"}, &CReportBookmarkUDS::AddRightAxisOptions},
        {{"Name", "Value"}, &CReportBookmarkUDS::AddLimits},
        {{"Begin", "End"}, &CReportBookmarkUDS::AddTimeRange},
        {{"Begin", "Span", "Days"}, &CReportBookmarkUDS::AddWorkingHours},
        {{"Value"}, &CReportBookmarkUDS::AddDemandPeriod},
        {{"Channel", "Phase", "Granularity"}, &CReportBookmarkUDS::AddCalendarDetails},
        {{"Name", "ID", "ConfiguredInterval", "ActualInterval"}, &CReportBookmarkUDS::AddAveragingIntervals},
        {{"ID", "Text"}, &CReportBookmarkUDS::AddNotes},
        {{"SessionID", "SessionName", "SessionCurrency", "SessionPriceFwd", "SessionPriceRev", "RatioID",
          "RatioPriceFwd", "RatioPriceRev", "RatioIntervals"},
         &CReportBookmarkUDS::AddEnergyCosts},
        {{"Channel", "Gain", "Offset", "Unit"}, &CReportBookmarkUDS::AddAux},
    };
    if (kind < 0 || kind >= int(std::size(kinds)))
        return;
    const SKind& chosen = kinds[kind];
    for (const char* column : chosen.columns)
        AddColumn(column);
    (this->*chosen.fill)();
}

CString CReportBookmarkUDS::AxisGroupName(int group) const
{
    // The graph titles the axis with the unit of the quantity as the sessions record it
    // (kW for active power); the table's own unit is for quantities without one.
    const SGroupName* row = FindGroup(m_view, group);
    CString name = GroupName(m_view, group);
    if (!row || row->quantity == kAuxQuantity || name.Right(1) != "]")
        return name;
    for (int s = 0; s < CBasicViewSettings::kMaxSessions; ++s)
    {
        const CDataSet* set = IsSessionShown(s) ? m_document.GetDataSet(s) : nullptr;
        if (!set)
            continue;
        CQuantityInfo info(set->GetMeasurementConfig());
        if (!info.Select(row->quantity))
            continue;
        const CString unit = info.GetUnitText(CString());
        if (!unit.IsEmpty() && unit != "1")
            return ChannelName(m_view, group) + " [" + unit + "]";
    }
    return name;
}

int CReportBookmarkUDS::FindUserSession(int session) const
{
    const CProjectSettings* project = m_document.GetProjectSettings();
    if (!m_user || !project || session < 0 || session >= project->GetMeasurementCount())
        return -1;
    return m_user->FindSession(project->GetMeasurement(session).GetStreamName());
}

CString CReportBookmarkUDS::ReportName(int session) const
{
    int entry = FindUserSession(session);
    return entry >= 0 ? m_user->GetSession(entry)->name : m_document.GetSessionName(session);
}

int CReportBookmarkUDS::ReportNumber(int session) const
{
    int entry = FindUserSession(session);
    return entry >= 0 ? entry + 1 : session + 1;
}

bool CReportBookmarkUDS::IsGroupShown(int group) const
{
    if (group == kAuxGroup)
        return m_settings->m_aux[0] || m_settings->m_aux[1];
    const auto& phases = m_settings->m_channels[std::size_t(group)];
    return std::any_of(phases.begin(), phases.end(), [](bool shown) { return shown; });
}

bool CReportBookmarkUDS::IsSessionShown(int session) const
{
    return m_settings && session >= 0 && session < CBasicViewSettings::kMaxSessions &&
           m_settings->m_sessions[std::size_t(session)];
}

void CReportBookmarkUDS::GetAuxSettings(int session, int channel, double& gain, double& offset, CString& unit) const
{
    int entry = FindUserSession(session);
    const SUserSessionSettings* user = entry >= 0 ? m_user->GetSession(entry) : nullptr;
    if (user && user->IsAuxOverridden(channel))
    {
        gain = user->GetAux(channel).gain;
        offset = user->GetAux(channel).offset;
        unit = user->GetAux(channel).unit;
        return;
    }
    gain = 1.0;
    offset = 0.0;
    const CDataSet* set = m_document.GetDataSet(session);
    unit = !set ? CString()
           : channel == 0 ? set->GetMeasurementConfig().GetAux1Unit()
                          : set->GetMeasurementConfig().GetAux2Unit();
}

void CReportBookmarkUDS::AddSessions()
{
    if (IsCalendarView() || !m_settings)
        return;
    for (int s = 0; s < CBasicViewSettings::kMaxSessions; ++s)
        if (IsSessionShown(s))
            AddRow({ReportName(s), CString::Formatted("%d", ReportNumber(s))});
}

void CReportBookmarkUDS::AddAxisOptions(int firstGroup)
{
    if (IsCalendarView() || !m_settings)
        return;
    for (int g = firstGroup; g < firstGroup + 3; ++g)
    {
        if (!IsGroupShown(g))
            continue;
        CBookmarkInfoLine row{AxisGroupName(g)};
        if (g < kAuxGroup)
            for (int phase = 0; phase < 4; ++phase)
                row[std::size_t(phase + 1)] = Mark(m_settings->m_channels[std::size_t(g)][std::size_t(phase)]);
        else
        {
            row[5] = Mark(m_settings->m_aux[0]);
            row[6] = Mark(m_settings->m_aux[1]);
        }
        row[7] = Mark(m_settings->m_isMaxMin[std::size_t(g)]);
        AddRow(std::move(row));
    }
}

void CReportBookmarkUDS::AddLimits()
{
    if (IsCalendarView() || !m_settings)
        return;
    CValueFormatter& formatter = *m_document.GetValueFormatter();
    for (int g = 0; g < CBasicViewSettings::kLimits; ++g)
    {
        if (!IsGroupShown(g) || !m_settings->m_isLimit[std::size_t(g)])
            continue;
        const SGroupName* group = FindGroup(m_view, g);
        DWORD quantity = group ? group->quantity : kUnknownGroupQuantity;
        double value = m_settings->m_limits[std::size_t(g)] / double(std::max(1, GetQuantityUnitScale(quantity)));
        CString number;
        CString unit;
        if (!formatter.FormatValueForMagnitude(0, quantity, m_view == 1, 0, value, value, number, unit))
            formatter.FormatWithDefaultScale(quantity, value, value, number, unit);
        if (quantity == kAuxQuantity)
        {
            std::vector<CString> units;
            for (int s = 0; s < CBasicViewSettings::kMaxSessions; ++s)
                for (int a = 0; a < 2; ++a)
                {
                    if (!IsSessionShown(s) || !m_settings->m_aux[std::size_t(a)])
                        continue;
                    double gain = 0.0;
                    double offset = 0.0;
                    CString auxUnit;
                    GetAuxSettings(s, a, gain, offset, auxUnit);
                    if (std::find(units.begin(), units.end(), auxUnit) == units.end())
                        units.push_back(auxUnit);
                }
            if (units.size() == 1)
                unit = units.front();
            else if (units.size() > 1)
            {
                unit = "[";
                for (std::size_t i = 0; i < units.size(); ++i)
                    unit += (i ? ", " : "") + units[i];
                unit += "]";
            }
        }
        AddRow({ChannelName(m_view, g), number + " " + unit});
    }
}

void CReportBookmarkUDS::AddTimeRange()
{
    if (IsCalendarView() || !m_settings || !m_settings->m_checkTimeRange)
        return;
    CString format = ExpandDateTimeFormat(kIdsDateTimeFormat);
    AddRow({CHighTime::FromDate(m_settings->m_timeRange.from).Format(format),
            CHighTime::FromDate(m_settings->m_timeRange.to).Format(format)});
}

void CReportBookmarkUDS::AddWorkingHours()
{
    if (!m_settings || !m_settings->m_setWorkingHours)
        return;
    CString days;
    for (int day = 0; day < CBasicViewSettings::kWorkingDays; ++day)
        if (m_settings->m_workingDays[std::size_t(day)])
            days += (days.IsEmpty() ? "" : ", ") + LoadReportString(kIdsMonday + unsigned(day));
    // Start and span are times of day kept as fractions of a day; a conversion as dates would
    // bring in the time zone of 1899.
    AddRow({FormatTimeOfDay(m_settings->m_workingHours.from, GetLocaleTimeFormat()),
            FormatTimeOfDay(m_settings->m_workingHours.to, "%#H:%M"), days});
}

void CReportBookmarkUDS::AddDemandPeriod()
{
    if (m_view != 1 || !m_settings)
        return;
    int period = m_settings->m_demandPeriod;
    CString periodText;
    if (period == 0)
        periodText = LoadReportString(kIdsAsLogged);
    else if (std::find(std::begin(kOfferedDemandPeriods), std::end(kOfferedDemandPeriods), period) !=
             std::end(kOfferedDemandPeriods))
        periodText = FormatIntervalText(period);
    else
        periodText = LoadReportString(kIdsShortestCommonInterval) + CString::Formatted(" (%s)", FormatIntervalText(period));
    CString pattern = LoadReportString(m_settings->m_useTrendDataForDemand ? kIdsTrendPeriod : kIdsDemandPeriod);
    AddRow({CString::Formatted(pattern, periodText)});
}

void CReportBookmarkUDS::AddCalendarDetails()
{
    if (!IsCalendarView() || !m_settings)
        return;
    int parameter = m_settings->m_calendarViewParameter;
    int channel = m_settings->m_calendarViewChannel;
    int granularity = m_settings->m_calendarViewGranularity;
    CString channelText;
    if (m_view == 2 && parameter >= 0 && parameter <= 7)
        channelText = LoadReportString(kIdsCalendarChannel + unsigned(parameter));
    else if (m_view == 6 && parameter >= 0 && parameter <= 3)
        channelText = LoadReportString(kIdsLoadCalendarChannel + unsigned(parameter));
    bool total = channel == 3 || (m_view == 2 && (parameter == 1 || parameter == 2) && channel == 0);
    // The table's text ends in the subscript mark of rich cells, which plain text does not show.
    CString phase = total ? LoadReportString(kIdsTotal).TrimRight('_') : GetPhaseName(channel);
    CString granularityText = granularity >= 0 && granularity <= 2 ? LoadReportString(kIdsGranularity + unsigned(granularity))
                                                                   : CString();
    AddRow({channelText, phase, granularityText});
}

void CReportBookmarkUDS::AddAveragingIntervals()
{
    if (!m_settings)
        return;
    int studyType = m_bookmark.IsLoadStudy() ? 2 : 1;
    int type = m_bookmark.GetType();
    int count = std::min(m_document.GetMeasurementCount(), CBasicViewSettings::kMaxSessions);
    for (int s = 0; s < count; ++s)
    {
        const CDataSet* set = m_document.GetDataSet(s);
        if (!set || !set->GetMeasurementConfig().IsStudyTypeCompatible(studyType))
            continue;
        if (m_bookmark.GetPresentation() == SBookmarkType::kOverviewTable)
        {
            if (m_user && FindUserSession(s) < 0)
                continue;
        }
        else if (!IsSessionShown(s))
            continue;
        const CMeasurementConfig& config = set->GetMeasurementConfig();
        CString configured = FormatIntervalText(int(config.GetAveragingInterval()));
        CString actual = configured;
        if (m_view == 1)
        {
            bool trend = type == kDemandTimeRangeTable && m_settings->m_useTrendDataForDemand;
            configured = FormatIntervalText(int(trend ? config.GetAveragingInterval() : config.GetDemandInterval()));
            actual = m_settings->m_demandPeriod != 0 && type == kDemandTimeRangeTable
                         ? FormatIntervalText(m_settings->m_demandPeriod)
                         : configured;
        }
        AddRow({ReportName(s), CString::Formatted("%d", ReportNumber(s)), configured, actual});
    }
}

void CReportBookmarkUDS::AddNotes()
{
    if (!m_settings)
        return;
    constexpr int kPrintedNote = 8; // bit 3 of the note's flag word
    for (std::size_t i = 0; i < m_settings->m_notes.size(); ++i)
        if (m_settings->m_notes[i].reference & kPrintedNote)
            AddRow({CString::Formatted("%d", int(i) + 1), m_settings->m_notes[i].text});
}

void CReportBookmarkUDS::AddEnergyCosts()
{
    int type = m_bookmark.GetType();
    if (!m_user || (type != kDemandOverviewTable && type != kDemandTimeRangeTable))
        return;
    const CProjectSettings* project = m_document.GetProjectSettings();
    const CValueFormatter& formatter = *m_document.GetValueFormatter();
    for (int t = 0; t < m_user->GetSessionCount(); ++t)
    {
        const SUserSessionSettings& entry = *m_user->GetSession(t);
        if (!StudyTypesCompatible(int(entry.studyType), 1))
            continue;
        int m = project ? project->FindMeasurement(entry.streamName) : -1;
        if (type == kDemandTimeRangeTable && m >= 0 && !IsSessionShown(m))
            continue;
        if (!m_settings || m < 0 || m >= int(m_settings->m_costTables.size()) ||
            !m_settings->m_costTables[std::size_t(m)].isAdvanced)
            continue;
        const CEnergyCosts& costs = entry.energyCosts;
        CBookmarkInfoLine row{CString::Formatted("%d", t + 1), entry.name, costs.GetCurrency(),
                              formatter.FormatNumber(costs.GetCostFwd(), 3), formatter.FormatNumber(costs.GetCostRev(), 3)};
        if (costs.GetRatioCount() == 0)
            AddRow(row);
        for (int r = 0; r < costs.GetRatioCount(); ++r)
        {
            const SRatioData& ratio = costs.GetRatio(r);
            CString intervals;
            for (const SRatioInterval& interval : ratio.intervals)
                intervals += (intervals.IsEmpty() ? "" : "; ") + FormatRatioIntervalStart(interval) + " - " +
                             FormatRatioIntervalEnd(interval);
            row[5] = CString::Formatted("%d", r + 1);
            row[6] = formatter.FormatNumber(ratio.costFwd, 3);
            row[7] = formatter.FormatNumber(ratio.costRev, 3);
            row[8] = intervals;
            AddRow(row);
        }
    }
}

void CReportBookmarkUDS::AddAux()
{
    if (IsCalendarView() || !m_settings || !(m_settings->m_aux[0] || m_settings->m_aux[1]))
        return;
    const CValueFormatter& formatter = *m_document.GetValueFormatter();
    for (int s = 0; s < CBasicViewSettings::kMaxSessions; ++s)
        for (int a = 0; a < 2; ++a)
        {
            if (!IsSessionShown(s) || !m_settings->m_aux[std::size_t(a)])
                continue;
            double gain = 0.0;
            double offset = 0.0;
            CString unit;
            GetAuxSettings(s, a, gain, offset, unit);
            CString channel = CString::Formatted("%d: ", ReportNumber(s)) + LoadReportString(a == 0 ? kIdsAux1 : kIdsAux2) +
                              " [" + unit + "]";
            AddRow({channel, formatter.FormatNumber(gain, 3), formatter.FormatNumber(offset, 3), unit});
        }
}
