#include "project/ReportViewSettings.h"

#include <algorithm>
#include <array>

#include <glog/logging.h>

#include "project/RequiredAttribute.h"
#include "project/XmlReaders.h"

namespace
{
struct SIntElement
{
    const char* name;
    int CReportViewSettings::*field;
};
constexpr std::array<SIntElement, 3> kIntElements{{
    {"ProjectManagerListCollapsed", &CReportViewSettings::m_projectManagerListCollapsed},
    {"BookmarkListCollapsed", &CReportViewSettings::m_bookmarkListCollapsed},
    {"SplitterPos", &CReportViewSettings::m_splitterPos},
}};
} // namespace

std::unique_ptr<CViewSettings> CReportViewSettings::Clone() const
{
    return std::make_unique<CReportViewSettings>(*this);
}

void CReportViewSettings::CopyFrom(const CViewSettings* other)
{
    if (const auto* source = dynamic_cast<const CReportViewSettings*>(other))
        *this = *source;
    else
        m_present = false;
}

bool CReportViewSettings::HasItem(int type, int index) const
{
    return std::any_of(m_items.begin(), m_items.end(),
                       [&](const SReportItem& item) { return item.Type == type && item.Index == index; });
}

bool CReportViewSettings::RemoveItemIndex(int type, int i)
{
    if (HasItem(type, i))
        return false;
    for (SReportItem& item : m_items)
        if (item.Type == type && item.Index > i)
            --item.Index;
    return true;
}

int CReportViewSettings::DropInvalidItems(int sessionCount, int savedScreenCount, int bookmarkCount)
{
    const std::array<int, 4> counts{1, sessionCount, savedScreenCount, bookmarkCount};
    const auto invalid = [&](const SReportItem& item) {
        if (item.Type < SReportItem::kSummary || item.Type > SReportItem::kBookmark)
            return true;
        return item.Type != SReportItem::kSummary && (item.Index < 0 || item.Index >= counts[std::size_t(item.Type)]);
    };
    int dropped = 0;
    for (auto it = m_items.begin(); it != m_items.end();)
    {
        if (!invalid(*it))
        {
            ++it;
            continue;
        }
        LOG(INFO) << "CReportViewSettings::DropInvalidItems - WARNING: report item Type=" << it->Type
                  << " Index=" << it->Index << " names no project entry; dropped";
        it = m_items.erase(it);
        ++dropped;
    }
    return dropped;
}

void CReportViewSettings::ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* node = XmlAppendElement(doc, parent, name);
    for (const SIntElement& element : kIntElements)
        XmlAppendElement(doc, *node, element.name, XmlFromInt(doc, this->*element.field));
    if (m_items.empty() && !m_itemsArranged)
        return;
    XmlNode* container = XmlAppendElement(doc, *node, "Item");
    for (const SReportItem& item : m_items)
    {
        XmlNode* child = XmlAppendElement(doc, *container, "Item");
        XmlAppendAttribute(doc, *child, "Collapsed", XmlFromInt(doc, item.Collapsed));
        XmlAppendAttribute(doc, *child, "Index", XmlFromInt(doc, item.Index));
        XmlAppendAttribute(doc, *child, "Type", XmlFromInt(doc, item.Type));
    }
}

bool CReportViewSettings::ImportFromXml(const XmlNode* element)
{
    m_present = true;
    for (const SIntElement& field : kIntElements)
    {
        if (!readInt(this->*field.field, XmlFirstChild(element, field.name)))
        {
            LOG(INFO) << "CReportViewSettings::ImportFromXml - WARNING: missing node " << field.name;
            return false;
        }
    }
    if (!ImportReportItemTablesFromXml(XmlFirstChild(element, "Item")))
    {
        LOG(INFO) << "CReportViewSettings::ImportFromXml - WARNING: fails to parse node Item";
        return false;
    }
    return true;
}

bool CReportViewSettings::ImportReportItemTablesFromXml(const XmlNode* node)
{
    static constexpr const char* kReader = "CReportViewSettings::ImportReportItemTablesFromXml";
    m_itemsArranged = m_itemsArranged || node != nullptr;
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child))
    {
        SReportItem item;
        if (!IsExpectedNode(kReader, *child, "Item") ||
            !ReadRequiredAttribute(kReader, *child, "Collapsed", item.Collapsed) ||
            !ReadRequiredAttribute(kReader, *child, "Index", item.Index) ||
            !ReadRequiredAttribute(kReader, *child, "Type", item.Type))
            return false;
        m_items.push_back(item);
    }
    return true;
}
