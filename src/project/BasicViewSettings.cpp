#include "project/BasicViewSettings.h"

#include <glog/logging.h>

#include <cstdio>
#include <string_view>

#include "project/TimeRangeRule.h"
#include "project/XmlReaders.h"

namespace
{
constexpr const char* kImport = "CBasicViewSettings::ImportFromXml";
constexpr const char* kWarning = " - WARNING: ";

constexpr std::array<const char*, CBasicViewSettings::kQuantityGroups> kVarNames{"var1", "var2", "var3", "var4",
                                                                                  "var5"};
constexpr std::array<const char*, CBasicViewSettings::kChannelPhases> kPhaseNames{"phaseA", "phaseB", "phaseC",
                                                                                   "total"};
constexpr std::array<const char*, 2> kAuxNames{"aux1", "aux2"};

bool IsNamed(const XmlNode& node, const char* name)
{
    return XmlNameOf(node) == name;
}

// Position of the text in a name table; -1 when absent.
int IndexOf(const auto& names, std::string_view text)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (text == names[i])
            return int(i);
    return -1;
}

void AppendIndexed(XmlDocument& doc, XmlNode& parent, const char* name, int index)
{
    XmlNode* node = XmlAppendElement(doc, parent, name);
    XmlAppendAttribute(doc, *node, "index", XmlFromInt(doc, index));
}

template <std::size_t N>
void AppendSetFlags(XmlDocument& doc, XmlNode& parent, const char* name, const std::array<bool, N>& flags)
{
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            AppendIndexed(doc, parent, name, int(i));
}

void AppendRange(XmlDocument& doc, XmlNode& parent, const char* name, const SValueRange& range)
{
    XmlNode* node = XmlAppendElement(doc, parent, name);
    XmlAppendAttribute(doc, *node, "from", XmlFromDouble(doc, range.from));
    XmlAppendAttribute(doc, *node, "to", XmlFromDouble(doc, range.to));
}

// The index attribute of an indexed child: false (logged by the reader) when missing or
// outside 0..count-1.
bool ReadIndex(const char* reader, const XmlNode& node, int count, const char* missingText, int& index)
{
    const XmlAttribute* attribute = node.first_attribute("index");
    if (!attribute) {
        LOG(INFO) << reader << missingText;
        return false;
    }
    index = XmlToInt(attribute->value());
    if (index < 0 || index >= count) {
        LOG(INFO) << reader << kWarning << "wrong value " << attribute->value() << " for attribute " << "index";
        return false;
    }
    return true;
}

// An indexed flag with an optional value attribute: the flag is value != 0, true without one.
template <std::size_t N>
bool ReadIndexedFlag(const char* reader, const XmlNode& node, const char* missingText, std::array<bool, N>& flags,
                     int count = int(N))
{
    int index = 0;
    if (!ReadIndex(reader, node, count, missingText, index))
        return false;
    const XmlAttribute* value = node.first_attribute("value");
    flags[std::size_t(index)] = value ? XmlToBool(value->value()) : true;
    return true;
}

bool MissingAttribute(const char* reader, const char* name)
{
    LOG(INFO) << reader << kWarning << "missing attribute " << name;
    return false;
}

bool FailNode(const char* node)
{
    LOG(INFO) << kImport << kWarning << "fails to parse node " << node;
    return false;
}

bool MissingNode(const char* node)
{
    LOG(INFO) << kImport << kWarning << "missing node " << node;
    return false;
}

// A required element text read as int or bool; false with the missing-node line when absent.
bool ReadRequiredInt(const XmlNode* parent, const char* name, int& value)
{
    return readInt(value, XmlFirstChild(parent, name)) || MissingNode(name);
}

bool ReadRequiredBool(const XmlNode* parent, const char* name, bool& value)
{
    BOOL read = FALSE;
    if (!readBOOL(read, XmlFirstChild(parent, name)))
        return MissingNode(name);
    value = read != FALSE;
    return true;
}

constexpr int kFirstDataPointNumber = 5000;
} // namespace

CBasicViewSettings::CBasicViewSettings(int viewId) : CViewSettings(viewId) {}

std::unique_ptr<CViewSettings> CBasicViewSettings::Clone() const
{
    return std::make_unique<CBasicViewSettings>(*this);
}

void CBasicViewSettings::CopyFrom(const CViewSettings* other)
{
    if (const auto* basic = dynamic_cast<const CBasicViewSettings*>(other))
        *this = *basic;
    else
        m_present = false;
}

void CBasicViewSettings::ResetDemandSettings()
{
    m_demandPeriod = 0;
    m_useTrendDataForDemand = false;
}

int CBasicViewSettings::ScanNoteName(const CString& name, std::array<int, 7>& numbers)
{
    numbers.fill(-1);
    const int read = std::sscanf(name.GetString(), "Note %d.%d.%d.%d.%d.%d.%d", &numbers[0], &numbers[1],
                                 &numbers[2], &numbers[3], &numbers[4], &numbers[5], &numbers[6]);
    return read < 0 ? 0 : read;
}

bool CBasicViewSettings::IsValidNoteName(structAddNotes& note)
{
    std::array<int, 7> numbers{};
    const int read = ScanNoteName(note.name, numbers);
    if (!note.IsAttached())
        return read == 1;
    if (read < 7) {
        // The six numbers completed in the written form: whatever followed them in the file
        // would otherwise stay in the name and be completed again at every load.
        if (read != 6 || numbers[2] < kFirstDataPointNumber)
            return false;
        note.name.Format("Note %d.%d.%d.%d.%d.%d.0", numbers[0], numbers[1], numbers[2], numbers[3], numbers[4],
                         numbers[5]);
        return true;
    }
    return read == 7 && numbers[2] >= kFirstDataPointNumber;
}

// ---------------------------------------------------------------------------------------------
// Export

void CBasicViewSettings::ExportChannels(XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* channels = XmlAppendElement(doc, parent, "channels");
    for (int var = 0; var < kQuantityGroups; ++var) {
        for (int phase = 0; phase < kChannelPhases; ++phase) {
            if (!m_channels[std::size_t(var)][std::size_t(phase)])
                continue;
            XmlNode* channel = XmlAppendElement(doc, *channels, "channel");
            XmlAppendAttribute(doc, *channel, "var", kVarNames[std::size_t(var)]);
            XmlAppendAttribute(doc, *channel, "phase", kPhaseNames[std::size_t(phase)]);
        }
    }
    for (std::size_t i = 0; i < m_aux.size(); ++i) {
        if (!m_aux[i])
            continue;
        XmlNode* channel = XmlAppendElement(doc, *channels, "channel");
        XmlAppendAttribute(doc, *channel, "var", kAuxNames[i]);
    }
    AppendSetFlags(doc, *channels, "isMaxMin", m_isMaxMin);
    AppendSetFlags(doc, *channels, "isLimit", m_isLimit);
    AppendSetFlags(doc, *channels, "isCumulative", m_isCumulative);
    if (m_isIndCap)
        AppendIndexed(doc, *channels, "isIndCap", 0);
}

void CBasicViewSettings::ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const
{
    if (!m_present)
        return;
    const bool calendar = IsCalendarView(m_viewId);
    XmlNode& node = *XmlAppendElement(doc, parent, name);

    ExportCurAxisDetailsToXml(m_upperPlot, "upperPlot", doc, node);
    if (!calendar) {
        XmlNode* sessions = XmlAppendElement(doc, node, "sessions");
        AppendSetFlags(doc, *sessions, "session", m_sessions);
        ExportChannels(doc, node);
        XmlNode* limits = XmlAppendElement(doc, node, "limits");
        for (std::size_t i = 0; i < m_limits.size(); ++i) {
            if (m_limits[i] == 0.0f)
                continue;
            XmlNode* limit = XmlAppendElement(doc, *limits, "limit");
            XmlAppendAttribute(doc, *limit, "index", XmlFromInt(doc, int(i)));
            XmlAppendAttribute(doc, *limit, "value", XmlFromFloat(doc, m_limits[i]));
        }
        XmlAppendElement(doc, node, "LSOPressedTab", XmlFromInt(doc, m_LSOPressedTab));
        XmlAppendElement(doc, node, "RSOPressedTab", XmlFromInt(doc, m_RSOPressedTab));
        XmlAppendElement(doc, node, "graphOptionsCollapse", XmlFromInt(doc, m_graphOptionsCollapse));
    }
    if (IsLoadStudyView(m_viewId)) {
        XmlNode* container = XmlAppendElement(doc, node, "EstimatedPowerNominalVoltage");
        for (std::size_t i = 0; i < m_nominalVoltages.size(); ++i) {
            const SNominalVoltageOverride& entry = m_nominalVoltages[i];
            if (!entry.IsSet())
                continue;
            XmlNode* child = XmlAppendElement(doc, *container, "EstimatedPowerNominalVoltage");
            XmlAppendAttribute(doc, *child, "index", XmlFromInt(doc, int(i)));
            XmlAppendAttribute(doc, *child, "value", XmlFromFloat(doc, entry.value));
            XmlAppendAttribute(doc, *child, "topology", XmlFromInt(doc, entry.topology));
            if (entry.nominalX != entry.value || entry.topologyX != entry.topology) {
                XmlAppendAttribute(doc, *child, "nominalX", XmlFromFloat(doc, entry.nominalX));
                XmlAppendAttribute(doc, *child, "topologyX", XmlFromInt(doc, entry.topologyX));
            }
        }
    }
    XmlNode* collStates = XmlAppendElement(doc, node, "collStates");
    AppendSetFlags(doc, *collStates, "collState", m_collStates);
    if (!calendar) {
        AppendRange(doc, node, "TimeRange", m_timeRange);
        AppendRange(doc, node, "XAxisScaling", m_xAxisScaling);
        XmlAppendElement(doc, node, "RefAxis", XmlFromInt(doc, m_RefAxis));
        XmlAppendElement(doc, node, "checkTimeRange", XmlFromBool(doc, m_checkTimeRange));
        XmlAppendElement(doc, node, "typeTimeRange", XmlFromInt(doc, m_typeTimeRange));
    }
    XmlAppendElement(doc, node, "SetWorkingHours", XmlFromBool(doc, m_setWorkingHours));
    AppendRange(doc, node, "WorkingHour", m_workingHours);
    XmlNode* workingDays = XmlAppendElement(doc, node, "CheckWorkingHour");
    AppendSetFlags(doc, *workingDays, "CheckWorkingHour", m_workingDays);
    if (!m_notes.empty()) {
        XmlNode* notes = XmlAppendElement(doc, node, "notes");
        for (const structAddNotes& note : m_notes) {
            XmlNode* child = XmlAppendElement(doc, *notes, "note");
            XmlAppendAttribute(doc, *child, "name", XmlFromString(doc, note.name));
            XmlAppendAttribute(doc, *child, "x", XmlFromDouble(doc, note.x));
            XmlAppendAttribute(doc, *child, "y", XmlFromDouble(doc, note.y));
            XmlAppendAttribute(doc, *child, "reference", XmlFromInt(doc, note.reference));
            XmlAppendAttribute(doc, *child, "text", XmlFromString(doc, note.text));
        }
    }
    if (calendar) {
        XmlAppendElement(doc, node, "CalendarViewParameter", XmlFromInt(doc, m_calendarViewParameter));
        XmlAppendElement(doc, node, "CalendarViewChannel", XmlFromInt(doc, m_calendarViewChannel));
        XmlAppendElement(doc, node, "CalendarViewGranularity", XmlFromInt(doc, m_calendarViewGranularity));
        XmlNode* thumbs = XmlAppendElement(doc, node, "CalendarViewThumbSelected");
        // Selections are read back by their order: an empty one before the last one set is
        // written too, so that the second bin alone does not come back as the first.
        std::size_t written = 0;
        for (std::size_t i = 0; i < m_thumbSelections.size(); ++i)
            if (!m_thumbSelections[i].IsEmpty())
                written = i + 1;
        for (std::size_t i = 0; i < written; ++i) {
            const SCalendarThumbSelection& thumb = m_thumbSelections[i];
            XmlNode* child = XmlAppendElement(doc, *thumbs, "CalendarViewThumbSelected");
            XmlAppendAttribute(doc, *child, "index", XmlFromInt(doc, int(i)));
            XmlAppendAttribute(doc, *child, "row", XmlFromInt(doc, thumb.row));
            XmlAppendAttribute(doc, *child, "col", XmlFromInt(doc, thumb.col));
            if (thumb.session >= 0)
                XmlAppendAttribute(doc, *child, "session", XmlFromInt(doc, thumb.session));
            if (thumb.thumb >= 0)
                XmlAppendAttribute(doc, *child, "thumb", XmlFromInt(doc, thumb.thumb));
        }
    }
    if (IsDemandView(m_viewId)) {
        XmlAppendElement(doc, node, "demandPeriod", XmlFromInt(doc, m_demandPeriod));
        XmlAppendElement(doc, node, "useTrendDataForDemand", XmlFromBool(doc, m_useTrendDataForDemand));
        if (!m_costTables.empty()) {
            XmlNode* tables = XmlAppendElement(doc, node, "costTables");
            for (const SDemandCostTable& table : m_costTables) {
                XmlNode* child = XmlAppendElement(doc, *tables, "costTable");
                XmlAppendAttribute(doc, *child, "currencyUnit", XmlFromString(doc, table.currencyUnit));
                if (table.costFwd != 0.0)
                    XmlAppendAttribute(doc, *child, "costFwd", XmlFromDouble(doc, table.costFwd));
                if (table.costRev != 0.0)
                    XmlAppendAttribute(doc, *child, "costRev", XmlFromDouble(doc, table.costRev));
                XmlAppendAttribute(doc, *child, "isAdvanced", XmlFromBool(doc, table.isAdvanced));
            }
        }
    }
    XmlNode* toolbar = XmlAppendElement(doc, node, "toolbarEdit");
    XmlNode* data = XmlAppendElement(doc, *toolbar, "Data");
    XmlAppendAttribute(doc, *data, "Graph", XmlFromString(doc, m_toolbarEdit.Graph));
    XmlAppendAttribute(doc, *data, "Table", XmlFromString(doc, m_toolbarEdit.Table));
    XmlAppendAttribute(doc, *data, "TimeRangeTable", XmlFromString(doc, m_toolbarEdit.TimeRangeTable));
    XmlAppendElement(doc, node, "tableCollapse", XmlFromString(doc, m_tableCollapse));
    XmlAppendElement(doc, node, "tableTimeRangeCollapse", XmlFromString(doc, m_tableTimeRangeCollapse));
    XmlAppendElement(doc, node, "MainView_SplitterA_ActiveRow", XmlFromInt(doc, m_mainViewSplitterAActiveRow));
    if (!m_customColors.empty()) {
        XmlNode* colors = XmlAppendElement(doc, node, "customColors");
        for (const SCustomColor& entry : m_customColors) {
            XmlNode* child = XmlAppendElement(doc, *colors, "customColor");
            XmlAppendAttribute(doc, *child, "color", XmlFromUInt(doc, entry.color));
            if (entry.measurementId != SCustomColor::kAnyMeasurement)
                XmlAppendAttribute(doc, *child, "measurementId", XmlFromInt(doc, entry.measurementId));
            if (entry.dataType != SCustomColor::kAnyDataType)
                XmlAppendAttribute(doc, *child, "dataType", XmlFromInt(doc, entry.dataType));
            if (entry.phase != SCustomColor::kAnyPhase)
                XmlAppendAttribute(doc, *child, "phase", XmlFromInt(doc, entry.phase));
            if (entry.mamType != SCustomColor::kAnyMamType)
                XmlAppendAttribute(doc, *child, "mamType", XmlFromInt(doc, entry.mamType));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Import

bool CBasicViewSettings::ImportFromXml(const XmlNode* element)
{
    m_present = true;
    const bool ok = ImportFields(element);
    DropInvalidIndices(kMaxSessions);
    return ok;
}

bool CBasicViewSettings::ImportFields(const XmlNode* element)
{
    const bool calendar = IsCalendarView(m_viewId);
    if (!ImportCurAxisDetailsFromXml(m_upperPlot, XmlFirstChild(element, "upperPlot")))
        return FailNode("upperPlot");
    if (!calendar) {
        if (!ImportSessionsFromXml(XmlFirstChild(element, "sessions")))
            return FailNode("sessions");
        if (!ImportBasicChannelsFromXml(XmlFirstChild(element, "channels")))
            return FailNode("channels");
        // Only the Demand view shows cumulative values.
        if (!IsDemandView(m_viewId))
            m_isCumulative.fill(false);
        if (!ImportLimitsFromXml(XmlFirstChild(element, "limits")))
            return FailNode("limits");
        if (!ReadRequiredInt(element, "LSOPressedTab", m_LSOPressedTab) ||
            !ReadRequiredInt(element, "RSOPressedTab", m_RSOPressedTab) ||
            !ReadRequiredInt(element, "graphOptionsCollapse", m_graphOptionsCollapse))
            return false;
    }
    if (IsLoadStudyView(m_viewId) && !ImportEstimatedPowerFromXml(XmlFirstChild(element, "EstimatedPowerNominalVoltage")))
        return FailNode("EstimatedPowerNominalVoltage");
    if (!ImportCollapseStateFromXml(XmlFirstChild(element, "collStates"), kCollapseStates))
        return FailNode("collStates");
    if (!calendar) {
        if (!ImportRangeFromXml(m_timeRange, XmlFirstChild(element, "TimeRange")))
            return FailNode("TimeRange");
        // A range stored the wrong way round is put in order; one that is no range is dropped to
        // the default, which the view replaces with the recording it shows (as it does a range
        // with a date left unset, 0).
        if (m_timeRange.from != 0.0 && m_timeRange.to != 0.0 && !OrderTimeRange(m_timeRange))
            m_timeRange = {};
        if (!ImportRangeFromXml(m_xAxisScaling, XmlFirstChild(element, "XAxisScaling")))
            return FailNode("XAxisScaling");
        if (const XmlNode* refAxis = XmlFirstChild(element, "RefAxis"))
            readInt(m_RefAxis, refAxis);
        if (!ReadRequiredBool(element, "checkTimeRange", m_checkTimeRange))
            return false;
        int typeTimeRange = 0;
        if (!ReadRequiredInt(element, "typeTimeRange", typeTimeRange))
            return false;
        // A span choice out of range costs only itself.
        if (typeTimeRange < -1 || typeTimeRange > 2)
            LOG(INFO) << kImport << kWarning << "wrong value " << XmlFirstChild(element, "typeTimeRange")->value()
                      << " for node " << "typeTimeRange";
        else
            m_typeTimeRange = typeTimeRange;
    }
    if (!ReadRequiredBool(element, "SetWorkingHours", m_setWorkingHours))
        return false;
    if (!ImportRangeFromXml(m_workingHours, XmlFirstChild(element, "WorkingHour")))
        return FailNode("WorkingHour");
    if (!ImportWorkingHourXml(XmlFirstChild(element, "CheckWorkingHour")))
        return FailNode("CheckWorkingHour");
    if (!ImportNotesFromXml(XmlFirstChild(element, "notes")))
        return FailNode("notes");
    if (calendar) {
        if (!ReadRequiredInt(element, "CalendarViewParameter", m_calendarViewParameter) ||
            !ReadRequiredInt(element, "CalendarViewChannel", m_calendarViewChannel) ||
            !ReadRequiredInt(element, "CalendarViewGranularity", m_calendarViewGranularity))
            return false;
        if (!ImportCalendarViewThumbSelectedXml(XmlFirstChild(element, "CalendarViewThumbSelected")))
            return FailNode("CalendarViewThumbSelected");
    }
    if (IsDemandView(m_viewId)) {
        if (!ReadRequiredInt(element, "demandPeriod", m_demandPeriod))
            return false;
        readBoolOr(m_useTrendDataForDemand, XmlFirstChild(element, "useTrendDataForDemand"), false);
        if (!ImportDemandCostTablesFromXml(XmlFirstChild(element, "costTables")))
            return FailNode("costTables");
    }
    if (!ImportToolBarEditBoxFromXml(XmlFirstChild(element, "toolbarEdit")))
        return FailNode("toolbarEdit");
    // Optional: an absent text keeps its value (the typed readers still log the absence).
    readString(m_tableCollapse, XmlFirstChild(element, "tableCollapse"));
    readString(m_tableTimeRangeCollapse, XmlFirstChild(element, "tableTimeRangeCollapse"));
    readInt(m_mainViewSplitterAActiveRow, XmlFirstChild(element, "MainView_SplitterA_ActiveRow"));
    if (!ImportChannelCustomColorsFromXml(XmlFirstChild(element, "customColors")))
        return FailNode("customColors");
    return true;
}

bool CBasicViewSettings::ImportSessionsFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportSessionsFromXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeSessions == NULL";
        return false;
    }
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "session")) {
            LOG(INFO) << reader << kWarning << "non session node " << XmlNameOf(*child);
            return false;
        }
        int index = 0;
        if (!ReadIndex(reader, *child, kMaxSessions, " - WARNING: missing index attribute ", index))
            return false;
        m_sessions[std::size_t(index)] = true;
    }
    return true;
}

bool CBasicViewSettings::ImportBasicChannelsFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportBasicChannelsFromXml";
    constexpr const char* missingIndex = " - WARNING: missing channel attribute index";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeChannels == NULL";
        return false;
    }
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        bool ok = true;
        if (IsNamed(*child, "channel")) {
            const XmlAttribute* var = child->first_attribute("var");
            if (!var)
                return MissingAttribute(reader, "var");
            const std::string_view varText = var->value();
            const int aux = IndexOf(kAuxNames, varText);
            const int group = IndexOf(kVarNames, varText);
            if (aux >= 0) {
                m_aux[std::size_t(aux)] = true;
            } else if (group >= 0) {
                const XmlAttribute* phase = child->first_attribute("phase");
                if (!phase)
                    return MissingAttribute(reader, "phase");
                const int slot = IndexOf(kPhaseNames, std::string_view(phase->value()));
                if (slot < 0) {
                    LOG(INFO) << reader << kWarning << "wrong value " << phase->value() << " for attribute " << "phase";
                    return false;
                }
                m_channels[std::size_t(group)][std::size_t(slot)] = true;
            } else {
                LOG(INFO) << reader << kWarning << "wrong value " << varText << " for attribute " << "var";
                return false;
            }
        } else if (IsNamed(*child, "isMaxMin")) {
            ok = ReadIndexedFlag(reader, *child, missingIndex, m_isMaxMin);
        } else if (IsNamed(*child, "isLimit")) {
            ok = ReadIndexedFlag(reader, *child, missingIndex, m_isLimit);
        } else if (IsNamed(*child, "isCumulative")) {
            ok = ReadIndexedFlag(reader, *child, missingIndex, m_isCumulative);
        } else if (IsNamed(*child, "isIndCap")) {
            std::array<bool, 1> flag{m_isIndCap};
            ok = ReadIndexedFlag(reader, *child, missingIndex, flag);
            m_isIndCap = flag[0];
        } else {
            LOG(INFO) << reader << kWarning << "wrong node " << XmlNameOf(*child);
            return false;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool CBasicViewSettings::ImportLimitsFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportLimitsFromXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeLimits == NULL";
        return false;
    }
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "limit")) {
            LOG(INFO) << reader << kWarning << "non limit node " << XmlNameOf(*child);
            return false;
        }
        const XmlAttribute* index = child->first_attribute("index");
        if (!index)
            return MissingAttribute(reader, "index");
        const XmlAttribute* value = child->first_attribute("value");
        if (!value)
            return MissingAttribute(reader, "value");
        const int i = XmlToInt(index->value());
        if (i < 0 || i >= kLimits) {
            LOG(INFO) << reader << kWarning << "wrong value " << index->value() << " for attribute " << "index";
            return false;
        }
        readFloat(m_limits[std::size_t(i)], value);
    }
    return true;
}

bool CBasicViewSettings::ImportEstimatedPowerFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportEstimatedPowerFromXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeNominalVoltage == NULL";
        return false;
    }
    const auto readTopology = [&](const XmlNode& child, const char* name, int& topology) {
        const XmlAttribute* attribute = child.first_attribute(name);
        if (!attribute)
            return MissingAttribute(reader, name);
        topology = XmlToInt(attribute->value());
        if (topology != 0 && topology != 1) {
            LOG(INFO) << reader << kWarning << "wrong value " << attribute->value() << " for attribute " << name;
            return false;
        }
        return true;
    };
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "EstimatedPowerNominalVoltage")) {
            LOG(INFO) << reader << kWarning << "non nominal voltage node " << XmlNameOf(*child);
            return false;
        }
        SNominalVoltageOverride entry;
        int index = 0;
        if (!ReadIndex(reader, *child, kMaxSessions, " - WARNING: missing attribute index", index))
            return false;
        const XmlAttribute* value = child->first_attribute("value");
        if (!value)
            return MissingAttribute(reader, "value");
        // A voltage the table's editor refuses (0, negative, not finite) leaves the session at
        // its own nominal voltage.
        entry.value = -1.0f;
        readFloat(entry.value, value, kXmlPositiveFloat);
        bool refused = entry.value < 0.0f;
        if (!readTopology(*child, "topology", entry.topology))
            return false;
        const XmlAttribute* nominalX = child->first_attribute("nominalX");
        if (nominalX) {
            entry.nominalX = -1.0f;
            readFloat(entry.nominalX, nominalX, kXmlPositiveFloat);
            refused = refused || entry.nominalX < 0.0f;
            if (!readTopology(*child, "topologyX", entry.topologyX))
                return false;
        } else if (child->first_attribute("topologyX")) {
            return MissingAttribute(reader, "nominalX");
        }
        if (refused)
            continue;
        if (m_nominalVoltages.size() < std::size_t(index) + 1)
            m_nominalVoltages.resize(std::size_t(index) + 1);
        m_nominalVoltages[std::size_t(index)] = entry;
    }
    return true;
}

bool CBasicViewSettings::ImportCollapseStateFromXml(const XmlNode* node, int count)
{
    constexpr const char* reader = "CBasicViewSettings::ImportCollapseStateFromXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeCollapseStates == NULL";
        return false;
    }
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "collState")) {
            LOG(INFO) << reader << kWarning << "non collapse state node " << XmlNameOf(*child);
            return false;
        }
        if (!ReadIndexedFlag(reader, *child, " - WARNING: missing attribute index", m_collStates, count))
            return false;
    }
    return true;
}

bool CBasicViewSettings::ImportRangeFromXml(SValueRange& range, const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportRangeFromXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeRange == NULL";
        return false;
    }
    const XmlAttribute* from = node->first_attribute("from");
    if (!from)
        return MissingAttribute(reader, "from");
    const XmlAttribute* to = node->first_attribute("to");
    if (!to)
        return MissingAttribute(reader, "to");
    readDouble(range.from, from, kXmlDateRange);
    readDouble(range.to, to, kXmlDateRange);
    return true;
}

bool CBasicViewSettings::ImportWorkingHourXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportWorkingHourXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeWorkingHour == NULL";
        return false;
    }
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "CheckWorkingHour")) {
            LOG(INFO) << reader << kWarning << "non working hour node " << XmlNameOf(*child);
            return false;
        }
        int index = 0;
        if (!ReadIndex(reader, *child, kWorkingDays, " - WARNING: missing index attribute ", index))
            return false;
        m_workingDays[std::size_t(index)] = true;
    }
    return true;
}

bool CBasicViewSettings::ImportNotesFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportNotesFromXml";
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "note")) {
            LOG(INFO) << reader << kWarning << "Unknown node " << XmlNameOf(*child);
            continue;
        }
        structAddNotes note;
        const auto missing = [&](const char* name) {
            LOG(INFO) << reader << kWarning << "missing Note attribute " << name;
            return false;
        };
        if (!readString(note.name, child->first_attribute("name")))
            return missing("name");
        if (!readString(note.text, child->first_attribute("text")))
            return missing("text");
        if (!readDouble(note.x, child->first_attribute("x")))
            return missing("x");
        if (!readDouble(note.y, child->first_attribute("y")))
            return missing("y");
        if (!readInt(note.reference, child->first_attribute("reference")))
            return missing("reference");
        if (IsValidNoteName(note))
            m_notes.push_back(std::move(note));
    }
    return true;
}

bool CBasicViewSettings::ImportCalendarViewThumbSelectedXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportCalendarViewThumbSelectedXml";
    for (SCalendarThumbSelection& thumb : m_thumbSelections)
        thumb.Clear();
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeThumbsSelected == NULL";
        return false;
    }
    std::size_t filled = 0;
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "CalendarViewThumbSelected")) {
            LOG(INFO) << reader << kWarning << "non thumb selected node " << XmlNameOf(*child);
            return false;
        }
        SCalendarThumbSelection thumb;
        const XmlAttribute* col = child->first_attribute("col");
        if (!col)
            return MissingAttribute(reader, "col");
        const XmlAttribute* row = child->first_attribute("row");
        if (!row)
            return MissingAttribute(reader, "row");
        thumb.col = XmlToInt(col->value());
        thumb.row = XmlToInt(row->value());
        readIntOr(thumb.session, child->first_attribute("session"), -1);
        readIntOr(thumb.thumb, child->first_attribute("thumb"), -1);
        if (filled < m_thumbSelections.size())
            m_thumbSelections[filled++] = thumb;
    }
    return true;
}

bool CBasicViewSettings::ImportDemandCostTablesFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportDemandCostTablesFromXml";
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "costTable")) {
            LOG(INFO) << reader << kWarning << "wrong node " << XmlNameOf(*child);
            return false;
        }
        SDemandCostTable table;
        if (!readString(table.currencyUnit, child->first_attribute("currencyUnit")))
            return MissingAttribute(reader, "currencyUnit");
        readDoubleOr(table.costFwd, child->first_attribute("costFwd"), 0.0);
        readDoubleOr(table.costRev, child->first_attribute("costRev"), 0.0);
        readBoolOr(table.isAdvanced, child->first_attribute("isAdvanced"), false);
        m_costTables.push_back(std::move(table));
    }
    return true;
}

bool CBasicViewSettings::ImportToolBarEditBoxFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportToolBarEditBoxFromXml";
    if (!node) {
        LOG(INFO) << reader << kWarning << "pNodeTables == NULL";
        return false;
    }
    const XmlNode* data = XmlFirstElement(node);
    if (!data) {
        LOG(INFO) << reader << kWarning << "missing node " << "Data";
        return false;
    }
    if (!IsNamed(*data, "Data")) {
        LOG(INFO) << reader << kWarning << "wrong node " << XmlNameOf(*data);
        return false;
    }
    for (const auto& [name, text] : {std::pair{"Graph", &m_toolbarEdit.Graph}, std::pair{"Table", &m_toolbarEdit.Table},
                                     std::pair{"TimeRangeTable", &m_toolbarEdit.TimeRangeTable}}) {
        if (!readString(*text, data->first_attribute(name)))
            return MissingAttribute(reader, name);
    }
    return true;
}

bool CBasicViewSettings::ImportChannelCustomColorsFromXml(const XmlNode* node)
{
    constexpr const char* reader = "CBasicViewSettings::ImportChannelCustomColorsFromXml";
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child)) {
        if (!IsNamed(*child, "customColor")) {
            LOG(INFO) << reader << kWarning << "wrong node " << XmlNameOf(*child);
            return false;
        }
        SCustomColor entry;
        const XmlAttribute* color = child->first_attribute("color");
        if (!color)
            return MissingAttribute(reader, "color");
        entry.color = XmlToUInt(color->value());
        readIntOr(entry.measurementId, child->first_attribute("measurementId"), SCustomColor::kAnyMeasurement);
        readIntOr(entry.dataType, child->first_attribute("dataType"), SCustomColor::kAnyDataType);
        readIntOr(entry.phase, child->first_attribute("phase"), SCustomColor::kAnyPhase);
        readIntOr(entry.mamType, child->first_attribute("mamType"), SCustomColor::kAnyMamType);
        m_customColors.push_back(entry);
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Session references from a file

int CBasicViewSettings::DropInvalidIndices(int sessionCount)
{
    constexpr const char* reader = "CBasicViewSettings::DropInvalidIndices";
    int dropped = 0;
    for (SXCursorDetails& xCursor : m_upperPlot.xCursors) {
        if (xCursor.index >= -1)
            continue;
        LOG(INFO) << reader << kWarning << "x cursor index " << xCursor.index << " out of range, dropped";
        xCursor = SXCursorDetails{};
        ++dropped;
    }
    for (SCalendarThumbSelection& thumb : m_thumbSelections) {
        if (thumb.session >= -1 && thumb.session < sessionCount)
            continue;
        LOG(INFO) << reader << kWarning << "thumb selection session " << thumb.session << " out of range, dropped";
        thumb.Clear();
        ++dropped;
    }
    const auto badColor = [&](const SCustomColor& entry) {
        if (entry.measurementId >= -1 && entry.measurementId < sessionCount)
            return false;
        LOG(INFO) << reader << kWarning << "custom colour measurementId " << entry.measurementId
                  << " out of range, dropped";
        ++dropped;
        return true;
    };
    std::erase_if(m_customColors, badColor);
    return dropped;
}
