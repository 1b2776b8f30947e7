#include "project/UserViewSettings.h"

#include <glog/logging.h>

#include "project/ProjectManagerSettings.h"
#include "project/ProjectSettings.h"

const SUserSessionSettings* CUserViewSettings::GetSession(int i) const
{
    return i >= 0 && i < GetSessionCount() ? &m_sessions[std::size_t(i)] : nullptr;
}

SUserSessionSettings* CUserViewSettings::GetSession(int i)
{
    return i >= 0 && i < GetSessionCount() ? &m_sessions[std::size_t(i)] : nullptr;
}

int CUserViewSettings::FindSession(const CStringW& streamName) const
{
    for (int i = 0; i < GetSessionCount(); ++i)
        if (m_sessions[std::size_t(i)].streamName == streamName)
            return i;
    return -1;
}

void CUserViewSettings::Rebuild(const CProjectSettings* project)
{
    if (!project)
    {
        m_sessions.clear();
        return;
    }
    m_sessions.resize(std::size_t(project->GetMeasurementCount()));
    const auto* manager = dynamic_cast<const CProjectManagerSettings*>(project->GetViewSettings(CViewSettings::kProjectManagerViewId));
    for (int i = 0; i < GetSessionCount(); ++i)
    {
        SUserSessionSettings& record = m_sessions[std::size_t(i)];
        const CMeasurementSettings& measurement = project->GetMeasurement(i);
        record.studyType = measurement.GetStudyType();
        record.streamName = measurement.GetStreamName();
        const SProjectManagerDataSetEntry* entry = manager ? manager->GetDataSetEntry(i) : nullptr;
        if (!entry)
        {
            record.name.Empty();
            record.auxOverride = false;
            for (SAuxChannelSettings& channel : record.aux)
                channel.Reset();
            record.energyCosts.Reset();
            ++record.costsChangeCount;
            continue;
        }
        record.name = entry->Name;
        record.auxOverride = entry->AuxOverride;
        record.aux = entry->auxData;
        if (!(record.energyCosts == entry->energyCosts))
            ++record.costsChangeCount;
        record.energyCosts = entry->energyCosts;
    }
}

void CUserViewSettings::ExportToXml(const char* elementName, XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* node = XmlAppendElement(doc, parent, elementName);
    for (const SUserSessionSettings& record : m_sessions)
        record.ExportToXml(doc, *node);
}

bool CUserViewSettings::ImportFromXml(const XmlNode* node)
{
    if (!node)
        return true;
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child))
    {
        const std::string_view name = XmlNameOf(*child);
        if (name != "session")
        {
            LOG(INFO) << "CUserViewSettings::ImportFromXml - WARNING: wrong node " << name;
            return false;
        }
        SUserSessionSettings record;
        if (!record.ImportFromXml(*child))
        {
            LOG(INFO) << "CUserViewSettings::ImportFromXml - WARNING: fails to parse node session";
            return false;
        }
        m_sessions.push_back(std::move(record));
    }
    return true;
}
