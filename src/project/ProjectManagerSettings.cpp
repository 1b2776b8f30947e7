#include "project/ProjectManagerSettings.h"

#include <glog/logging.h>

#include "platform/framework/OneLineText.h"
#include "project/RequiredAttribute.h"

namespace
{
// Element children only: text between the entries is no entry.
template <typename Visit>
bool ForEachElement(const XmlNode* container, Visit visit)
{
    for (const XmlNode* child = XmlFirstElement(container); child; child = XmlNextElement(child))
        if (!visit(*child))
            return false;
    return true;
}
} // namespace

std::unique_ptr<CViewSettings> CProjectManagerSettings::Clone() const
{
    return std::make_unique<CProjectManagerSettings>(*this);
}

void CProjectManagerSettings::CopyFrom(const CViewSettings* other)
{
    if (const auto* source = dynamic_cast<const CProjectManagerSettings*>(other))
        *this = *source;
    else
        m_present = false;
}

SProjectManagerDataSetEntry* CProjectManagerSettings::GetDataSetEntry(int i)
{
    return i >= 0 && std::size_t(i) < m_dataSets.size() ? &m_dataSets[std::size_t(i)] : nullptr;
}

const SProjectManagerDataSetEntry* CProjectManagerSettings::GetDataSetEntry(int i) const
{
    return i >= 0 && std::size_t(i) < m_dataSets.size() ? &m_dataSets[std::size_t(i)] : nullptr;
}

CStringW CProjectManagerSettings::GetDataSetName(int i) const
{
    const SProjectManagerDataSetEntry* entry = GetDataSetEntry(i);
    return entry ? entry->Name : CStringW();
}

CStringW CProjectManagerSettings::GetSavedScreenName(int i) const
{
    return i >= 0 && std::size_t(i) < m_savedScreens.size() ? m_savedScreens[std::size_t(i)].Name : CStringW();
}

bool CProjectManagerSettings::RemoveDataSetEntry(int i)
{
    if (i < 0 || std::size_t(i) >= m_dataSets.size())
        return false;
    m_dataSets.erase(m_dataSets.begin() + i);
    return true;
}

bool CProjectManagerSettings::RemoveSavedScreenEntry(int i)
{
    if (i < 0 || std::size_t(i) >= m_savedScreens.size())
        return false;
    m_savedScreens.erase(m_savedScreens.begin() + i);
    return true;
}

void CProjectManagerSettings::ExportAuxSettings(const SAuxChannelSettings* settings, int count, XmlDocument& doc,
                                                XmlNode& parent)
{
    for (int channel = 0; channel < count; ++channel)
    {
        const SAuxChannelSettings& aux = settings[channel];
        if (!aux.overrideFlag)
            continue;
        XmlNode* node = XmlAppendElement(doc, parent, "auxData");
        XmlAppendAttribute(doc, *node, "index", XmlFromInt(doc, channel));
        XmlAppendAttribute(doc, *node, "ratio", XmlFromFloat(doc, aux.gain));
        XmlAppendAttribute(doc, *node, "offset", XmlFromFloat(doc, aux.offset));
        XmlAppendAttribute(doc, *node, "unit", XmlFromString(doc, aux.unit));
    }
}

bool CProjectManagerSettings::ImportAuxSetting(SAuxChannelSettings* settings, int count, const XmlNode& element)
{
    static constexpr const char* kReader = "CProjectManagerSettings::ImportAuxSetting";
    int index = 0;
    if (!ReadRequiredAttribute(kReader, element, "index", index))
        return false;
    if (index < 0 || index >= count)
    {
        LOG(INFO) << kReader << " - WARNING: wrong value " << XmlAttributeOf(&element, "index")->value()
                  << "for attribute index";
        return false;
    }
    SAuxChannelSettings read;
    if (!ReadRequiredAttribute(kReader, element, "ratio", read.gain) ||
        !ReadRequiredAttribute(kReader, element, "offset", read.offset) ||
        !ReadRequiredAttribute(kReader, element, "unit", read.unit))
        return false;
    read.overrideFlag = TRUE;
    settings[index] = read;
    return true;
}

void CProjectManagerSettings::ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const
{
    if (!m_present)
        return;
    XmlNode* node = XmlAppendElement(doc, parent, name);
    if (!m_summary.empty())
    {
        XmlNode* container = XmlAppendElement(doc, *node, "Summary");
        for (const SProjectManagerSummaryEntry& entry : m_summary)
        {
            XmlNode* data = XmlAppendElement(doc, *container, "Data");
            XmlAppendAttribute(doc, *data, "Collapsed", XmlFromInt(doc, entry.Collapsed));
            XmlAppendAttribute(doc, *data, "Client", XmlFromString(doc, entry.Client));
            XmlAppendAttribute(doc, *data, "Location", XmlFromString(doc, entry.Location));
            XmlAppendAttribute(doc, *data, "Description", XmlFromString(doc, entry.Description));
        }
    }
    if (!m_dataSets.empty())
    {
        XmlNode* container = XmlAppendElement(doc, *node, "DataSet");
        for (const SProjectManagerDataSetEntry& entry : m_dataSets)
        {
            XmlNode* data = XmlAppendElement(doc, *container, "Data");
            XmlAppendAttribute(doc, *data, "Collapsed", XmlFromInt(doc, entry.Collapsed));
            XmlAppendAttribute(doc, *data, "Name", XmlFromString(doc, entry.Name));
            XmlAppendAttribute(doc, *data, "Description", XmlFromString(doc, entry.Description));
            XmlAppendAttribute(doc, *data, "Notes", XmlFromString(doc, entry.Notes));
            XmlAppendAttribute(doc, *data, "AuxOverride", XmlFromBool(doc, entry.AuxOverride));
            ExportAuxSettings(entry.auxData.data(), int(entry.auxData.size()), doc, *data);
            entry.energyCosts.ExportToXml(doc, *data);
        }
    }
    if (!m_savedScreens.empty())
    {
        XmlNode* container = XmlAppendElement(doc, *node, "SavedScreen");
        for (const SProjectManagerSavedScreenEntry& entry : m_savedScreens)
        {
            XmlNode* data = XmlAppendElement(doc, *container, "Data");
            XmlAppendAttribute(doc, *data, "Collapsed", XmlFromInt(doc, entry.Collapsed));
            XmlAppendAttribute(doc, *data, "Name", XmlFromString(doc, entry.Name));
            XmlAppendAttribute(doc, *data, "Notes", XmlFromString(doc, entry.Notes));
        }
    }
}

bool CProjectManagerSettings::ImportFromXml(const XmlNode* element)
{
    m_present = true;
    struct SContainer
    {
        const char* name;
        bool (CProjectManagerSettings::*reader)(const XmlNode*);
    };
    static constexpr SContainer kContainers[] = {
        {"Summary", &CProjectManagerSettings::ImportProjectManagerSummaryTablesFromXml},
        {"DataSet", &CProjectManagerSettings::ImportProjectManagerDataSetTablesFromXml},
        {"SavedScreen", &CProjectManagerSettings::ImportProjectManagerSavedScreenTablesFromXml},
    };
    for (const SContainer& container : kContainers)
    {
        if (!(this->*container.reader)(XmlFirstChild(element, container.name)))
        {
            LOG(INFO) << "CProjectManagerSettings::ImportFromXml - WARNING: fails to parse node " << container.name;
            return false;
        }
    }
    return true;
}

bool CProjectManagerSettings::ImportProjectManagerSummaryTablesFromXml(const XmlNode* node)
{
    static constexpr const char* kReader = "CProjectManagerSettings::ImportProjectManagerSummaryTablesFromXml";
    return ForEachElement(node, [this](const XmlNode& child) {
        SProjectManagerSummaryEntry entry;
        if (!IsExpectedNode(kReader, child, "Data") ||
            !ReadRequiredAttribute(kReader, child, "Collapsed", entry.Collapsed) ||
            !ReadRequiredAttribute(kReader, child, "Client", entry.Client) ||
            !ReadRequiredAttribute(kReader, child, "Location", entry.Location) ||
            !ReadRequiredAttribute(kReader, child, "Description", entry.Description))
            return false;
        for (CStringW* line : {&entry.Client, &entry.Location, &entry.Description})
            *line = OneLineText(*line);
        m_summary.push_back(std::move(entry));
        return true;
    });
}

bool CProjectManagerSettings::ImportProjectManagerDataSetTablesFromXml(const XmlNode* node)
{
    static constexpr const char* kReader = "CProjectManagerSettings::ImportProjectManagerDataSetTablesFromXml";
    return ForEachElement(node, [this](const XmlNode& child) {
        SProjectManagerDataSetEntry entry;
        if (!IsExpectedNode(kReader, child, "Data") ||
            !ReadRequiredAttribute(kReader, child, "Collapsed", entry.Collapsed) ||
            !ReadRequiredAttribute(kReader, child, "Name", entry.Name) ||
            !ReadRequiredAttribute(kReader, child, "Description", entry.Description) ||
            !ReadRequiredAttribute(kReader, child, "Notes", entry.Notes))
            return false;
        entry.Name = OneLineText(entry.Name);
        if (const XmlAttribute* auxOverride = XmlAttributeOf(&child, "AuxOverride"))
            entry.AuxOverride = XmlToInt(auxOverride->value()) != 0;
        for (const XmlNode* aux = child.first_node("auxData"); aux; aux = aux->next_sibling("auxData"))
        {
            if (!ImportAuxSetting(entry.auxData.data(), int(entry.auxData.size()), *aux))
            {
                LOG(INFO) << kReader << " - WARNING: fails to parse node auxData";
                return false;
            }
        }
        if (!entry.energyCosts.ImportFromXml(child.first_node("energyCosts")))
        {
            LOG(INFO) << kReader << " - WARNING: fails to parse node energyCosts";
            return false;
        }
        m_dataSets.push_back(std::move(entry));
        return true;
    });
}

bool CProjectManagerSettings::ImportProjectManagerSavedScreenTablesFromXml(const XmlNode* node)
{
    static constexpr const char* kReader = "CProjectManagerSettings::ImportProjectManagerSavedScreenTablesFromXml";
    return ForEachElement(node, [this](const XmlNode& child) {
        SProjectManagerSavedScreenEntry entry;
        if (!IsExpectedNode(kReader, child, "Data") ||
            !ReadRequiredAttribute(kReader, child, "Collapsed", entry.Collapsed) ||
            !ReadRequiredAttribute(kReader, child, "Name", entry.Name) ||
            !ReadRequiredAttribute(kReader, child, "Notes", entry.Notes))
            return false;
        entry.Name = OneLineText(entry.Name);
        m_savedScreens.push_back(std::move(entry));
        return true;
    });
}
