#include "project/Bookmark.h"

#include <cstring>
#include <string_view>

#include <glog/logging.h>

#include "project/BasicViewSettings.h"
#include "project/MeasurementSettings.h"
#include "project/ProjectSettings.h"
#include "project/ViewTableLookup.h"

CBookmark::CBookmark()
{
    m_time.SetStatus(CHighTime::null);
}

int CBookmark::GetPresentation() const
{
    const SBookmarkType* row = FindBookmarkType(m_type);
    return row ? row->presentation : 0;
}

const char* CBookmark::GetTypeName() const
{
    const SBookmarkType* row = FindBookmarkType(m_type);
    return row ? row->name : "";
}

CViewSettings* CBookmark::GetViewSettings() const
{
    return GetViewSettings(GetStudyView());
}

CViewSettings* CBookmark::GetViewSettings(int studyView) const
{
    return studyView >= 0 && studyView < kStudyViewCount ? m_viewSettings[std::size_t(studyView)].get() : nullptr;
}

CBasicViewSettings* CBookmark::GetOwnBasicSettings() const
{
    return dynamic_cast<CBasicViewSettings*>(GetViewSettings());
}

void CBookmark::SetUserViewSettings(const CUserViewSettings* settings)
{
    m_userSettings = settings ? std::make_unique<CUserViewSettings>(*settings) : nullptr;
}

void CBookmark::SetViewSettingsFrom(const CProjectSettings& project)
{
    for (int id = 0; id < kStudyViewCount; ++id)
    {
        const CViewSettings* source = project.GetStudyViewSettings(id);
        m_viewSettings[std::size_t(id)] = source ? source->Clone() : nullptr;
    }
}

void CBookmark::SetViewText(int kind, const CStringW& text)
{
    CBasicViewSettings* settings = GetOwnBasicSettings();
    if (!settings)
        return;
    switch (kind)
    {
    case 0:
        settings->m_toolbarEdit.Table = text;
        break;
    case 1:
        settings->m_toolbarEdit.Graph = text;
        break;
    case 2:
        settings->m_toolbarEdit.TimeRangeTable = text;
        break;
    default:
        break;
    }
}

void CBookmark::RemoveSession(int session)
{
    if (CBasicViewSettings* settings = GetOwnBasicSettings())
        settings->RemoveSession(session);
}

void CBookmark::UpdateSessionInView(int session, const CMeasurementConfig* config)
{
    if (CBasicViewSettings* settings = GetOwnBasicSettings())
        settings->ReconcileNominalVoltage(session, config);
}

bool CBookmark::UsesSession(int session, const CMeasurementSettings& measurement) const
{
    const unsigned needed = IsLoadStudy() ? 2 : 1;
    const unsigned studyType = measurement.GetStudyType();
    if (studyType != needed && (studyType == 2 || needed == 2))
        return false;
    if (!FindBookmarkType(m_type))
        return false;
    if (GetPresentation() == SBookmarkType::kOverviewTable)
        return m_userSettings && m_userSettings->FindSession(measurement.GetStreamName()) >= 0;
    const CBasicViewSettings* settings = GetOwnBasicSettings();
    if (!settings)
        return false;
    if (CViewSettings::IsCalendarView(GetStudyView()))
    {
        for (const SCalendarThumbSelection& selection : settings->m_thumbSelections)
            if (selection.session == session)
                return true;
        return false;
    }
    return session >= 0 && session < CBasicViewSettings::kMaxSessions && settings->m_sessions[std::size_t(session)];
}

void CBookmark::KeepOwnViewSettingsOnly()
{
    for (int id = 0; id < kStudyViewCount; ++id)
        if (id != GetStudyView())
            m_viewSettings[std::size_t(id)].reset();
}

void CBookmark::ExportToXml(XmlDocument& doc, XmlNode& parent) const
{
    XmlNode* node = XmlAppendElement(doc, parent, "bookmark");
    XmlAppendElement(doc, *node, "name", XmlFromString(doc, m_name));
    XmlAppendElement(doc, *node, "type", GetTypeName());
    XmlAppendElement(doc, *node, "time", XmlFromTime(doc, m_time));
    XmlAppendElement(doc, *node, "image", XmlFromString(doc, m_image));
    XmlNode* views = XmlAppendElement(doc, *node, "views");
    for (int id = 0; id < kStudyViewCount; ++id)
        if (const CViewSettings* settings = m_viewSettings[std::size_t(id)].get())
            settings->ExportToXml(CViewSettings::GetViewElementName(id), doc, *views);
    if (m_userSettings)
        m_userSettings->ExportToXml("viewSettings", doc, *node);
}

bool CBookmark::ImportFromXml(const XmlNode& node)
{
    bool typeFound = false;
    for (const XmlNode* child = node.first_node(); child; child = child->next_sibling())
    {
        const std::string_view name = XmlNameOf(*child);
        const char* text = child->value();
        if (name == "name")
            m_name = XmlToString(text);
        else if (name == "image")
            m_image = XmlToString(text);
        else if (name == "time")
            m_time = XmlToTime(text);
        else if (name == "type")
        {
            m_type = kNoBookmarkType;
            for (int type = 0; type < kBookmarkTypeCount; ++type)
                if (std::strcmp(kBookmarkTypes[std::size_t(type)].name, text) == 0)
                    m_type = type;
            typeFound = m_type != kNoBookmarkType;
        }
        else if (name == "views")
        {
            for (const XmlNode* view = XmlFirstElement(child); view; view = XmlNextElement(view))
            {
                const int id = FindViewIdByElementName(XmlNameOf(*view));
                if (!CViewSettings::IsStudyView(id))
                    continue;
                if (std::unique_ptr<CViewSettings> settings = CProjectSettings::ImportViewSettings(id, *view))
                    m_viewSettings[std::size_t(id)] = std::move(settings);
            }
        }
        else if (name == "viewSettings")
        {
            m_userSettings = std::make_unique<CUserViewSettings>();
            if (!m_userSettings->ImportFromXml(child))
            {
                LOG(INFO) << "CBookmark::ImportFromXml - WARNING: fails to parse node viewSettings";
                m_userSettings.reset();
            }
        }
    }
    return !m_image.IsEmpty() && typeFound;
}
