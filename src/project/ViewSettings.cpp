#include "project/ViewSettings.h"

#include <glog/logging.h>

#include <algorithm>
#include <tuple>

#include "project/XmlReaders.h"
#include "project/XLimitMarker.h"

namespace
{
constexpr const char* kCurAxisReader = "CViewSettings::ImportCurAxisDetailsFromXml";

const CViewSettings::SViewTableRow* FindRow(int viewId)
{
    for (const auto& row : CViewSettings::kViewTable)
        if (row.viewId == viewId)
            return &row;
    return nullptr;
}

void WriteRange(XmlDocument& doc, XmlNode& parent, const char* name, const SAxisRange& range)
{
    XmlNode* node = XmlAppendElement(doc, parent, name);
    XmlAppendAttribute(doc, *node, "min", XmlFromDouble(doc, range.min));
    XmlAppendAttribute(doc, *node, "span", XmlFromDouble(doc, range.span));
    // Only where set: a reader that does not know it takes the range as found from the data.
    if (range.manual)
        XmlAppendAttribute(doc, *node, "manual", XmlFromBool(doc, true));
}

// Reads one xAxis or yAxis child into the next free entry; false (logged) when full or incomplete.
// An entry with a number out of its range holds no range at all (the axis keeps its own): half of
// one would open a time axis on 30 December 1899 or a value axis at 0.
bool ReadRange(const XmlNode& node, SAxisRange* ranges, int& count, int capacity, const char* tooManyText,
               const char* missingText, SXmlNumberRange minRange, SXmlNumberRange spanRange)
{
    if (count >= capacity) {
        LOG(INFO) << kCurAxisReader << tooManyText << count;
        return false;
    }
    SAxisRange& range = ranges[count];
    range = SAxisRange{};
    bool anyRefused = false;
    for (const auto& [attribute, value, valueRange] :
         {std::tuple{"min", &range.min, minRange}, std::tuple{"span", &range.span, spanRange}}) {
        bool refused = false;
        if (!readDouble(*value, node.first_attribute(attribute), valueRange, refused)) {
            LOG(INFO) << kCurAxisReader << missingText << attribute;
            return false;
        }
        anyRefused = anyRefused || refused;
    }
    if (anyRefused)
        range = SAxisRange{};
    else
        readBoolOr(range.manual, node.first_attribute("manual"), false);
    ++count;
    return true;
}

bool ReadCursor(const XmlNode& node, SCurAxisDetails& details)
{
    if (details.cursorCount >= SCurAxisDetails::kMaxCursors) {
        LOG(INFO) << kCurAxisReader << " - WARNING: too many cursors:" << details.cursorCount;
        return false;
    }
    SCursorDetails& cursor = details.cursors[std::size_t(details.cursorCount)];
    const XmlAttribute* type = node.first_attribute("type");
    if (!readInt(cursor.type, type)) {
        LOG(INFO) << kCurAxisReader << " - WARNING: missing cursor attribute " << "type";
        return false;
    }
    if (cursor.type < 0 || cursor.type > 3) {
        LOG(INFO) << kCurAxisReader << " - WARNING: wrong value " << type->value() << "for cursor attribute "
                  << "type";
        return false;
    }
    if (!readDouble(cursor.pos, node.first_attribute("pos"))) {
        LOG(INFO) << kCurAxisReader << " - WARNING: missing cusor attribute " << "pos";
        return false;
    }
    if (!IsXLimitMarker(cursor.type) && !readDouble(cursor.pos2, node.first_attribute("pos2"))) {
        LOG(INFO) << kCurAxisReader << " - WARNING: missing cusor attribute " << "pos2";
        return false;
    }
    ++details.cursorCount;
    return true;
}

bool ReadXCursor(const XmlNode& node, SCurAxisDetails& details, int& xCursorsRead)
{
    if (xCursorsRead >= SCurAxisDetails::kMaxXCursors) {
        LOG(INFO) << kCurAxisReader << " - WARNING: too many xcursors:" << xCursorsRead;
        return false;
    }
    SXCursorDetails& xCursor = details.xCursors[std::size_t(xCursorsRead)];
    if (!readInt(xCursor.index, node.first_attribute("index"))) {
        LOG(INFO) << kCurAxisReader << " - WARNING: missing xcusor attribute " << "index";
        return false;
    }
    if (!readDouble(xCursor.pos, node.first_attribute("pos"))) {
        LOG(INFO) << kCurAxisReader << " - WARNING: missing xcusor attribute " << "pos";
        return false;
    }
    ++xCursorsRead;
    return true;
}
} // namespace

const char* CViewSettings::GetViewName(int viewId)
{
    const SViewTableRow* row = FindRow(viewId);
    return row ? row->viewName : nullptr;
}

const char* CViewSettings::GetViewElementName(int viewId)
{
    const SViewTableRow* row = FindRow(viewId);
    return row ? row->elementName : nullptr;
}

CViewSettings::ESettingsType CViewSettings::GetSettingsType(int viewId)
{
    const SViewTableRow* row = FindRow(viewId);
    return row ? row->settingsType : kStudyView;
}

void CViewSettings::ExportCurAxisDetailsToXml(const SCurAxisDetails& details, const char* name, XmlDocument& doc,
                                              XmlNode& parent)
{
    XmlNode* node = XmlAppendElement(doc, parent, name);
    const int xAxes = std::clamp(details.xAxisCount, 0, SCurAxisDetails::kMaxXAxes);
    for (int i = 0; i < xAxes; ++i)
        WriteRange(doc, *node, "xAxis", details.xAxes[std::size_t(i)]);
    const int yAxes = std::clamp(details.yAxisCount, 0, SCurAxisDetails::kMaxYAxes);
    for (int i = 0; i < yAxes; ++i)
        WriteRange(doc, *node, "yAxis", details.yAxes[std::size_t(i)]);
    const int cursors = std::clamp(details.cursorCount, 0, SCurAxisDetails::kMaxCursors);
    for (int i = 0; i < cursors; ++i) {
        const SCursorDetails& cursor = details.cursors[std::size_t(i)];
        XmlNode* child = XmlAppendElement(doc, *node, "cursor");
        XmlAppendAttribute(doc, *child, "type", XmlFromInt(doc, cursor.type));
        XmlAppendAttribute(doc, *child, "pos", XmlFromDouble(doc, cursor.pos));
        if (!IsXLimitMarker(cursor.type))
            XmlAppendAttribute(doc, *child, "pos2", XmlFromDouble(doc, cursor.pos2));
    }
    for (const SXCursorDetails& xCursor : details.xCursors) {
        XmlNode* child = XmlAppendElement(doc, *node, "xCursor");
        XmlAppendAttribute(doc, *child, "index", XmlFromInt(doc, xCursor.index));
        XmlAppendAttribute(doc, *child, "pos", XmlFromDouble(doc, xCursor.pos));
    }
}

bool CViewSettings::ImportCurAxisDetailsFromXml(SCurAxisDetails& details, const XmlNode* element)
{
    if (!element) {
        LOG(INFO) << kCurAxisReader << " - WARNING: pNodeCurAxis == NULL";
        return false;
    }
    details.cursorCount = 0;
    details.xAxisCount = 0;
    details.yAxisCount = 0;
    int xCursorsRead = 0;
    for (const XmlNode* child = XmlFirstElement(element); child; child = XmlNextElement(child)) {
        const std::string_view name = XmlNameOf(*child);
        bool ok = true;
        if (name == "xAxis")
            ok = ReadRange(*child, details.xAxes.data(), details.xAxisCount, SCurAxisDetails::kMaxXAxes,
                           " - WARNING: too many XAxises:", " - WARNING: missing XAxis attribute ", kXmlDateRange,
                           kXmlDateSpanRange);
        else if (name == "yAxis")
            ok = ReadRange(*child, details.yAxes.data(), details.yAxisCount, SCurAxisDetails::kMaxYAxes,
                           " - WARNING: too many YAxises:", " - WARNING: missing YAxis attribute ", kAnyFiniteNumber,
                           kAnyFiniteNumber);
        else if (name == "cursor")
            ok = ReadCursor(*child, details);
        else if (name == "xCursor")
            ok = ReadXCursor(*child, details, xCursorsRead);
        else
            LOG(INFO) << kCurAxisReader << " - WARNING: Unknown node " << name;
        if (!ok)
            return false;
    }
    return true;
}
