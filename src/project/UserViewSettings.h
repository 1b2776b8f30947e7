#pragma once
// The per-session user settings of a project, one record per measurement in project order.
// The document rebuilds its list from the project; a bookmark keeps a copy of it.
#include <vector>

#include "project/UserSessionSettings.h"
#include "project/XmlValue.h"

class CProjectSettings;

class CUserViewSettings
{
public:
    int GetSessionCount() const { return int(m_sessions.size()); }
    // Null when i is out of range.
    const SUserSessionSettings* GetSession(int i) const;
    SUserSessionSettings* GetSession(int i);
    // Index of the first record with that stream name, else -1.
    int FindSession(const CStringW& streamName) const;

    // One record per measurement of the project, set from its project-manager data-set entry;
    // no project empties the list.
    void Rebuild(const CProjectSettings* project);

    void ExportToXml(const char* elementName, XmlDocument& doc, XmlNode& parent) const;
    bool ImportFromXml(const XmlNode* node);

private:
    std::vector<SUserSessionSettings> m_sessions;
};
