#pragma once
// The project model: sessions, saved screens, bookmarks, a few user settings and one stored
// settings object per view, persisted as "project.xml".
//
// Loading tells its owner whether everything that can name an archive stream was understood:
// an entry dropped at load (an empty name, an unknown bookmark type, a document that could not
// be parsed) makes the load imperfect, and the archive must then not sweep streams the model
// does not name, since the model may simply not have understood the entry that names them.
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "project/Bookmark.h"
#include "project/ImageSettings.h"
#include "project/MeasurementSettings.h"
#include "project/ViewSettings.h"
#include "project/XmlValue.h"

class CMeasurementConfig;
class CUserViewSettings;
class IDataStream;

// What a load could not take over, by kind: entries it did not understand.
struct SDroppedEntries
{
    int sessions = 0;
    int savedScreens = 0;
    int bookmarks = 0;
    bool sessionList = false; // the document holds no list of sessions at all

    bool Any() const { return sessions > 0 || savedScreens > 0 || bookmarks > 0 || sessionList; }
};

enum class EProjectLoadResult
{
    kComplete,   // every entry was taken over
    kImperfect,  // entries were dropped; IsLoadImperfect() is set
    kUnreadable, // refused (too large, nested too deeply) or not parsed; nothing was imported
};

class CProjectSettings
{
public:
    static constexpr std::size_t kMaxDocumentBytes = 64u << 20;
    // Far above the deepest element a project writes (about eight levels).
    static constexpr int kMaxNestingDepth = 64;
    static constexpr int kStudyViewCount = 9;

    CProjectSettings() = default;
    CProjectSettings(const CProjectSettings&) = delete;
    CProjectSettings& operator=(const CProjectSettings&) = delete;

    // Whole document. Reading appends entries to those held (callers read into a new object).
    EProjectLoadResult LoadFromStream(IDataStream& stream);
    EProjectLoadResult LoadFromBytes(std::string_view bytes);
    // False when the stream refuses a write.
    bool SaveToStream(IDataStream& stream) const;
    std::string SaveToBytes() const;
    bool ImportFromXml(const XmlDocument& doc);
    void ExportToXml(XmlDocument& doc) const;
    // Set, for the life of the object, by any load that dropped an entry or could not read
    // the document.
    bool IsLoadImperfect() const { return m_loadImperfect; }
    const SDroppedEntries& GetDroppedEntries() const { return m_dropped; }
    // Once the project was written to a new file of its own, what the load dropped no longer
    // concerns it.
    void ForgetDroppedEntries();

    double GetMaxDemandLoadCurrent() const { return m_maxDemandLoadCurrent; }
    void SetMaxDemandLoadCurrent(double value) { m_maxDemandLoadCurrent = value; }
    int GetEnergyStudyLastView() const { return m_energyStudyLastView; }
    void SetEnergyStudyLastView(int viewId) { m_energyStudyLastView = viewId; }
    int GetLoadStudyLastView() const { return m_loadStudyLastView; }
    void SetLoadStudyLastView(int viewId) { m_loadStudyLastView = viewId; }
    int GetLastView() const { return m_lastView; }
    void SetLastView(int viewId) { m_lastView = viewId; }

    // Index arguments outside the list throw std::invalid_argument.
    int GetMeasurementCount() const { return int(m_measurements.size()); }
    CMeasurementSettings& GetMeasurement(int i) const;
    int FindMeasurement(const CStringW& streamName) const;
    CMeasurementSettings& AddMeasurement(const CStringW& fileName, const CStringW& streamName);
    CMeasurementSettings& AddMeasurement();
    void RemoveMeasurement(int i);
    void RemoveMeasurementByStream(const CStringW& streamName);
    void RemoveUnusedStudyViewSettings();

    int GetImageCount() const { return int(m_images.size()); }
    CImageSettings& GetImage(int i) const;
    CImageSettings& AddImage(const CImageSettings& image);
    void RemoveImage(int i);

    int GetBookmarkCount() const { return int(m_bookmarks.size()); }
    CBookmark& GetBookmark(int i) const;
    // Clones of the study view settings the source holds and a copy of the user settings.
    CBookmark& AddBookmark(int type, const CStringW& name, const CStringW& imageStream, const CHighTime& time,
                           const CProjectSettings* source, const CUserViewSettings* userSettings);
    void RemoveBookmark(int i);
    void RemoveSessionFromBookmarks(int i);
    void FindBookmarksUsingSession(int i, std::vector<CStringW>& names) const;

    // Clears the flag of every listed archive stream the project names. After an imperfect
    // load every flag is cleared: nothing may be swept then.
    void MarkReferencedStreams(const std::vector<CStringW>& names, std::vector<bool>& flags) const;

    // Ids 0..10; null when none is stored or the id is outside the table.
    CViewSettings* GetViewSettings(int id) const;
    // Null for ids outside 0..8.
    CViewSettings* GetStudyViewSettings(int id) const;
    // Stores a clone of the settings (null stores nothing) in place of the old object.
    void SetViewSettings(int id, const CViewSettings* settings);
    void SetStudyViewSettings(int id, const CViewSettings* settings);

    // Before a deletion: false, changing nothing, when a report item uses entry i; otherwise
    // the report items above i are renumbered.
    bool RemoveBookmarkFromReport(int i);
    bool RemoveImageFromReport(int i);
    bool RemoveSessionFromReport(int i);
    // False when the project manager holds no entry i.
    bool RemoveImageFromProjectManager(int i);
    bool RemoveSessionFromProjectManager(int i);
    void UpdateSessionInViews(int i, const CMeasurementConfig* config);

    // A new settings object of the id's class read from the element; null on failure.
    static std::unique_ptr<CViewSettings> ImportViewSettings(int id, const XmlNode& element);

private:
    template <typename Remove>
    bool ChangeReport(Remove remove);
    template <typename Remove>
    bool ChangeProjectManager(Remove remove);
    void ResetXCursors();
    bool ImportUserSettingsFromXml(const XmlNode* node);
    bool ImportViewsFromXml(const XmlNode* node);
    void CarryOverCostTables();
    void DropInvalidReferences();
    void ExportUserSettings(XmlDocument& doc, XmlNode& project) const;

    double m_maxDemandLoadCurrent = 0.0;
    int m_energyStudyLastView = -1;
    int m_loadStudyLastView = -1;
    int m_lastView = -1;
    std::vector<std::unique_ptr<CMeasurementSettings>> m_measurements;
    std::vector<std::unique_ptr<CImageSettings>> m_images;
    std::vector<std::unique_ptr<CBookmark>> m_bookmarks;
    std::array<std::unique_ptr<CViewSettings>, CViewSettings::kViewCount> m_viewSettings;
    bool m_loadImperfect = false;
    SDroppedEntries m_dropped;
};
