#pragma once
// A project holding every kind of element with values away from their defaults, and an
// in-memory stream for the load and save paths. Prices are binary fractions of few digits, so
// that their six-digit text form reads back exactly.
#include <cstring>
#include <memory>
#include <string>

#include "ViewSettingsTestUtil.h"
#include "datamodel/IDataStream.h"
#include "project/ProjectManagerSettings.h"
#include "project/ProjectSettings.h"
#include "project/ReportViewSettings.h"
#include "project/UserViewSettings.h"

inline CEnergyCosts MakeTariff(float basic, int ratios)
{
    CEnergyCosts costs;
    costs.SetEnabled(true);
    costs.SetCurrency("\xE2\x82\xAC");
    costs.SetCostFwd(basic);
    costs.SetCostRev(basic / 4);
    for (int r = 0; r < ratios; ++r)
        costs.AddRatio({basic / float(2 << r), 0.0625f * float(r), {{1320 - 60 * r, 360 + 10 * r}, {600 + r, 660}}});
    return costs;
}

inline CProjectManagerSettings MakeFullProjectManager()
{
    CProjectManagerSettings manager;
    manager.SetPresent(true);
    manager.m_summary = {{1, "Client & Co", "Hall <3>", "Line \"A\""}};
    for (int i = 0; i < 4; ++i)
    {
        SProjectManagerDataSetEntry entry;
        entry.Collapsed = i % 2;
        entry.Name = CString::Formatted("Session %d", i);
        entry.Description = "desc";
        entry.Notes = "n\xC3\xB6tes";
        entry.AuxOverride = i != 3;
        entry.auxData[0] = {TRUE, 2.5f, -0.5f, "A"};
        if (i == 1)
            entry.auxData[1] = {TRUE, 10.0f, 0.0f, "\xC2\xB0" "C"};
        if (i < 3)
            entry.energyCosts = MakeTariff(0.25f * float(i + 1), i + 1);
        manager.m_dataSets.push_back(entry);
    }
    manager.m_savedScreens = {{0, "Screen 1", ""}, {1, "Screen 2", "second"}};
    return manager;
}

inline CUserViewSettings MakeUserViewSettings(const CProjectSettings& project)
{
    CUserViewSettings settings;
    settings.Rebuild(&project);
    return settings;
}

// Four sessions, two images, one bookmark of every type, every view stored.
inline std::unique_ptr<CProjectSettings> MakeFullProject()
{
    auto project = std::make_unique<CProjectSettings>();
    for (int i = 0; i < 4; ++i)
    {
        CMeasurementSettings& m = project->AddMeasurement(CString::Formatted("session%d.zlg", i),
                                                          CString::Formatted("stream%d", i));
        m.SetStartTime(CHighTime(130578912000000000LL + i));
        m.SetEndTime(CHighTime(130579000000000000LL + i));
        m.SetStudyType(WORD(i < 2 ? 1 : 2));
        m.SetDescription("Hall \xE2\x82\xAC \xF0\x9F\x98\x80 <&>");
        m.SetAppVersion("1.2.3.4");
        m.SetAppBuild("r1234 2026-12-01 10:00");
        if (i == 2)
            m.SetCurrentScaleFactor(4, 1.5f);
    }
    for (int i = 0; i < 2; ++i)
    {
        CImageSettings image;
        image.fileName = CString::Formatted("screen%d.png", i);
        image.streamName = CString::Formatted("image%d", i);
        image.imageTime = CHighTime(130578912000000000LL + 10000000LL * i);
        image.utcOffset = -300 + 60 * i;
        image.instrument = "4626";
        image.instrumentCpu = "1.02";
        image.instrumentDsp = "2.01";
        image.serialNumber = i ? "123456" : "";
        project->AddImage(image);
    }
    const CProjectManagerSettings manager = MakeFullProjectManager();
    project->SetViewSettings(CViewSettings::kProjectManagerViewId, &manager);
    const CUserViewSettings user = MakeUserViewSettings(*project);

    for (int type = 0; type < kBookmarkTypeCount; ++type)
    {
        // A bookmark read back keeps its own view only, so it is made with that one.
        CProjectSettings source;
        const CBasicViewSettings view = MakeFullViewSettings(BookmarkTypeToStudyView(type));
        source.SetViewSettings(view.GetViewId(), &view);
        project->AddBookmark(type, CString::Formatted("Bookmark %d", type), CString::Formatted("bookmark%04d.png", type),
                             CHighTime(130578912000000000LL + type), &source, type % 3 ? &user : nullptr);
    }
    for (int id = 0; id < 9; ++id)
    {
        const CBasicViewSettings view = MakeFullViewSettings(id);
        project->SetViewSettings(id, &view);
    }
    CReportViewSettings report;
    report.SetPresent(true);
    report.m_projectManagerListCollapsed = 1;
    report.m_splitterPos = 240;
    report.m_items = {{0, 0, 1}, {1, 3, 0}, {2, 1, 0}, {3, 24, 1}, {1, 0, 0}};
    project->SetViewSettings(CViewSettings::kReportViewId, &report);

    project->SetMaxDemandLoadCurrent(123.456);
    project->SetLastView(1);
    project->SetEnergyStudyLastView(3);
    project->SetLoadStudyLastView(6);
    return project;
}

// A stream over a string, as the archive hands one in.
class CMemoryStream : public IDataStream
{
public:
    explicit CMemoryStream(std::string bytes = {}) : m_bytes(std::move(bytes)) {}

    std::int64_t Read(void* buffer, std::size_t count) override
    {
        const std::size_t n = std::min(count, m_bytes.size() - std::size_t(m_position));
        std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        return std::int64_t(n);
    }
    bool Seek(std::uint64_t position) override
    {
        m_position = std::min<std::uint64_t>(position, m_bytes.size());
        return position <= m_bytes.size();
    }
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_claimedLength ? m_claimedLength : m_bytes.size(); }
    bool Write(const void* data, std::size_t count) override
    {
        m_bytes.append(static_cast<const char*>(data), count);
        ++m_writes;
        return true;
    }

    const std::string& Bytes() const { return m_bytes; }
    int Writes() const { return m_writes; }
    // A length the stream reports without holding the bytes.
    void ClaimLength(std::uint64_t length) { m_claimedLength = length; }

private:
    std::string m_bytes;
    std::uint64_t m_position = 0;
    std::uint64_t m_claimedLength = 0;
    int m_writes = 0;
};
