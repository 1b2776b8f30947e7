#pragma once
// One bookmark: a study view as the user saw it, with its name, time, captured picture (an
// archive stream), a snapshot of the view's settings and of the per-session user settings.
#include <array>
#include <memory>

#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "project/BookmarkType.h"
#include "project/UserViewSettings.h"
#include "project/ViewSettings.h"

class CBasicViewSettings;
class CMeasurementConfig;
class CMeasurementSettings;
class CProjectSettings;

class CBookmark
{
public:
    static constexpr int kStudyViewCount = 9;

    CBookmark();
    CBookmark(const CBookmark&) = delete;
    CBookmark& operator=(const CBookmark&) = delete;

    int GetType() const { return m_type; }
    void SetType(int type) { m_type = type; }
    const CStringW& GetName() const { return m_name; }
    void SetName(const CStringW& name) { m_name = name; }
    const CStringW& GetImage() const { return m_image; }
    void SetImage(const CStringW& streamName) { m_image = streamName; }
    const CHighTime& GetTime() const { return m_time; }
    void SetTime(const CHighTime& time) { m_time = time; }

    // From the type table; -1, 0 and an empty text for a type outside it.
    int GetStudyView() const { return BookmarkTypeToStudyView(m_type); }
    int GetPresentation() const;
    const char* GetTypeName() const;
    bool IsLoadStudy() const { return m_type >= kFirstLoadStudyBookmarkType && m_type < kBookmarkTypeCount; }

    // The settings of its own study view; null when the type is not in the table.
    CViewSettings* GetViewSettings() const;
    // Any of the nine study-view slots.
    CViewSettings* GetViewSettings(int studyView) const;
    const CUserViewSettings* GetUserViewSettings() const { return m_userSettings.get(); }
    // A new copy of the list (none for null).
    void SetUserViewSettings(const CUserViewSettings* settings);
    // A clone of every study view settings object the project holds.
    void SetViewSettingsFrom(const CProjectSettings& project);
    // Kind 0 the Table, 1 the Graph, 2 the TimeRangeTable toolbar text of its own study view.
    void SetViewText(int kind, const CStringW& text);

    void RemoveSession(int session);
    void UpdateSessionInView(int session, const CMeasurementConfig* config);
    // Whether the bookmark's data refer to session i (measurement m).
    bool UsesSession(int session, const CMeasurementSettings& measurement) const;
    // After reading: only the slot of its own study view is kept.
    void KeepOwnViewSettingsOnly();

    void ExportToXml(XmlDocument& doc, XmlNode& parent) const;
    // True when the picture's stream name is non-empty and the type was found in the table.
    bool ImportFromXml(const XmlNode& node);

private:
    CBasicViewSettings* GetOwnBasicSettings() const;

    int m_type = kNoBookmarkType;
    CStringW m_name;
    CStringW m_image;
    CHighTime m_time;
    std::array<std::unique_ptr<CViewSettings>, kStudyViewCount> m_viewSettings;
    std::unique_ptr<CUserViewSettings> m_userSettings;
};
