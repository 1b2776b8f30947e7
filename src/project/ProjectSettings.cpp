#include "project/ProjectSettings.h"

#include <stdexcept>

#include "project/BasicViewSettings.h"
#include "project/ProjectManagerSettings.h"
#include "project/ReportViewSettings.h"
#include "project/UserViewSettings.h"

namespace
{
template <typename T>
T& At(const std::vector<std::unique_ptr<T>>& list, int i, const char* what)
{
    if (i < 0 || std::size_t(i) >= list.size())
        throw std::invalid_argument(what);
    return *list[std::size_t(i)];
}

template <typename T>
void EraseAt(std::vector<std::unique_ptr<T>>& list, int i, const char* what)
{
    At(list, i, what);
    list.erase(list.begin() + i);
}
} // namespace

CMeasurementSettings& CProjectSettings::GetMeasurement(int i) const
{
    return At(m_measurements, i, "measurement index");
}

int CProjectSettings::FindMeasurement(const CStringW& streamName) const
{
    for (int i = 0; i < GetMeasurementCount(); ++i)
        if (m_measurements[std::size_t(i)]->GetStreamName() == streamName)
            return i;
    return -1;
}

CMeasurementSettings& CProjectSettings::AddMeasurement(const CStringW& fileName, const CStringW& streamName)
{
    CMeasurementSettings& measurement = AddMeasurement();
    measurement.SetFileName(fileName);
    measurement.SetStreamName(streamName);
    return measurement;
}

CMeasurementSettings& CProjectSettings::AddMeasurement()
{
    m_measurements.push_back(std::make_unique<CMeasurementSettings>());
    ResetXCursors();
    return *m_measurements.back();
}

void CProjectSettings::RemoveMeasurement(int i)
{
    EraseAt(m_measurements, i, "measurement index");
    for (int id = 0; id < kStudyViewCount; ++id)
    {
        if (auto* settings = dynamic_cast<CBasicViewSettings*>(GetStudyViewSettings(id)))
        {
            settings->RemoveSession(i);
            settings->RenumberNotes(i);
        }
    }
    ResetXCursors();
}

void CProjectSettings::RemoveMeasurementByStream(const CStringW& streamName)
{
    const int i = FindMeasurement(streamName);
    if (i >= 0)
        RemoveMeasurement(i);
}

// The x cursors point into the sessions of a view; after the session list changed they are
// placed anew.
void CProjectSettings::ResetXCursors()
{
    for (int id = 0; id < kStudyViewCount; ++id)
        if (auto* settings = dynamic_cast<CBasicViewSettings*>(GetStudyViewSettings(id)))
            for (SXCursorDetails& cursor : settings->m_upperPlot.xCursors)
                cursor.index = -1;
}

void CProjectSettings::RemoveUnusedStudyViewSettings()
{
    int energy = 0;
    int load = 0;
    for (const auto& measurement : m_measurements)
    {
        energy += measurement->GetStudyType() == 1;
        load += measurement->GetStudyType() == 2;
    }
    for (int id = 0; id < kStudyViewCount; ++id)
        if ((CViewSettings::IsLoadStudyView(id) ? load : energy) == 0)
            m_viewSettings[std::size_t(id)].reset();
    if (energy == 0 && load == 0)
        m_lastView = -1;
    else if (energy == 0)
        m_lastView = 5;
    else if (load == 0)
        m_lastView = 0;
}

CImageSettings& CProjectSettings::GetImage(int i) const
{
    return At(m_images, i, "image index");
}

CImageSettings& CProjectSettings::AddImage(const CImageSettings& image)
{
    m_images.push_back(std::make_unique<CImageSettings>(image));
    return *m_images.back();
}

void CProjectSettings::RemoveImage(int i)
{
    EraseAt(m_images, i, "image index");
}

CBookmark& CProjectSettings::GetBookmark(int i) const
{
    return At(m_bookmarks, i, "bookmark index");
}

CBookmark& CProjectSettings::AddBookmark(int type, const CStringW& name, const CStringW& imageStream,
                                         const CHighTime& time, const CProjectSettings* source,
                                         const CUserViewSettings* userSettings)
{
    auto bookmark = std::make_unique<CBookmark>();
    bookmark->SetType(type);
    bookmark->SetName(name);
    bookmark->SetImage(imageStream);
    bookmark->SetTime(time);
    if (source)
        bookmark->SetViewSettingsFrom(*source);
    bookmark->SetUserViewSettings(userSettings);
    m_bookmarks.push_back(std::move(bookmark));
    return *m_bookmarks.back();
}

void CProjectSettings::RemoveBookmark(int i)
{
    EraseAt(m_bookmarks, i, "bookmark index");
}

void CProjectSettings::RemoveSessionFromBookmarks(int i)
{
    for (const auto& bookmark : m_bookmarks)
        bookmark->RemoveSession(i);
}

void CProjectSettings::FindBookmarksUsingSession(int i, std::vector<CStringW>& names) const
{
    names.clear();
    const CMeasurementSettings& measurement = GetMeasurement(i);
    for (const auto& bookmark : m_bookmarks)
        if (bookmark->UsesSession(i, measurement))
            names.push_back(bookmark->GetName());
}

void CProjectSettings::ForgetDroppedEntries()
{
    m_loadImperfect = false;
    m_dropped = {};
}

void CProjectSettings::MarkReferencedStreams(const std::vector<CStringW>& names, std::vector<bool>& flags) const
{
    if (m_loadImperfect)
    {
        flags.assign(flags.size(), false);
        return;
    }
    const auto unmark = [&](const CStringW& streamName) {
        for (std::size_t k = 0; k < names.size() && k < flags.size(); ++k)
        {
            if (names[k] == streamName)
            {
                flags[k] = false;
                return;
            }
        }
    };
    for (const auto& measurement : m_measurements)
        unmark(measurement->GetStreamName());
    for (const auto& image : m_images)
        unmark(image->streamName);
    for (const auto& bookmark : m_bookmarks)
        unmark(bookmark->GetImage());
}

CViewSettings* CProjectSettings::GetViewSettings(int id) const
{
    return id >= 0 && id < CViewSettings::kViewCount ? m_viewSettings[std::size_t(id)].get() : nullptr;
}

CViewSettings* CProjectSettings::GetStudyViewSettings(int id) const
{
    return CViewSettings::IsStudyView(id) ? GetViewSettings(id) : nullptr;
}

void CProjectSettings::SetViewSettings(int id, const CViewSettings* settings)
{
    if (id < 0 || id >= CViewSettings::kViewCount)
        throw std::invalid_argument("view id");
    m_viewSettings[std::size_t(id)] = settings ? settings->Clone() : nullptr;
}

void CProjectSettings::SetStudyViewSettings(int id, const CViewSettings* settings)
{
    if (CViewSettings::IsStudyView(id))
        SetViewSettings(id, settings);
}

template <typename Remove>
bool CProjectSettings::ChangeReport(Remove remove)
{
    CReportViewSettings copy;
    if (const auto* stored = dynamic_cast<const CReportViewSettings*>(GetViewSettings(CViewSettings::kReportViewId)))
        copy = *stored;
    if (!remove(copy))
        return false;
    SetViewSettings(CViewSettings::kReportViewId, &copy);
    return true;
}

bool CProjectSettings::RemoveBookmarkFromReport(int i)
{
    return ChangeReport([i](CReportViewSettings& report) { return report.RemoveBookmarkItemIndex(i); });
}

bool CProjectSettings::RemoveImageFromReport(int i)
{
    return ChangeReport([i](CReportViewSettings& report) { return report.RemoveSavedScreenItemIndex(i); });
}

bool CProjectSettings::RemoveSessionFromReport(int i)
{
    return ChangeReport([i](CReportViewSettings& report) { return report.RemoveSessionItemIndex(i); });
}

template <typename Remove>
bool CProjectSettings::ChangeProjectManager(Remove remove)
{
    CProjectManagerSettings copy;
    if (const auto* stored =
            dynamic_cast<const CProjectManagerSettings*>(GetViewSettings(CViewSettings::kProjectManagerViewId)))
        copy = *stored;
    if (!remove(copy))
        return false;
    SetViewSettings(CViewSettings::kProjectManagerViewId, &copy);
    return true;
}

bool CProjectSettings::RemoveImageFromProjectManager(int i)
{
    return ChangeProjectManager([i](CProjectManagerSettings& manager) { return manager.RemoveSavedScreenEntry(i); });
}

bool CProjectSettings::RemoveSessionFromProjectManager(int i)
{
    return ChangeProjectManager([i](CProjectManagerSettings& manager) { return manager.RemoveDataSetEntry(i); });
}

void CProjectSettings::UpdateSessionInViews(int i, const CMeasurementConfig* config)
{
    for (int id = 0; id < kStudyViewCount; ++id)
        if (auto* settings = dynamic_cast<CBasicViewSettings*>(GetStudyViewSettings(id)))
            settings->ReconcileNominalVoltage(i, config);
    for (const auto& bookmark : m_bookmarks)
        bookmark->UpdateSessionInView(i, config);
}
