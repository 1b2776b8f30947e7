#pragma once
// The calendar's thumbnails: one picture file per bin, drawn from a copy of the calendar graph's
// chart as it holds every session on its own X axis. A picture is drawn only when the grid is
// about to show its bin, and its file is kept while what it shows (the session's channels, the
// common value range, the size) stays the same, across fills, option changes and page rebuilds;
// another size draws it again over its file.
#include "platform/chart/CiPlotX.h"
#include "project/BasicViewSettings.h"
#include "study/CalendarModel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CCalendarThumbnails : public ICalendarPictureSource
{
public:
    using SessionFlags = std::array<bool, CBasicViewSettings::kMaxSessions>;
    // Feeds a channel's points into it.
    using PointFeed = std::function<void(CPlotChannel&)>;

    CCalendarThumbnails();

    // The folder of the thumbnail files: the application data folder's "QuarnCalendarView/",
    // made when missing.
    static CString Folder();

    // Takes over the chart's visible, enabled channels of the present sessions (session s on X
    // axis s), their points moved here (the graph shows its selected bins next, not these), and
    // the value range every thumbnail is drawn against. A channel i with a feed in `feeds[i]`
    // comes without its points: they are fed when its session's first picture is drawn, so that
    // the first show copies the points of the sessions in sight only.
    void Take(CiPlotX& chart, const SessionFlags& present, double lower, double upper, std::vector<PointFeed> feeds);
    bool ProvidePicture(int session, const structCalendarBins& bins, int bin, CSize size) override;

    // Pictures drawn and bytes written since construction.
    int GetWrittenCount() const { return m_writtenCount; }
    std::uintmax_t GetWrittenBytes() const { return m_writtenBytes; }

private:
    // What the pictures of the session show (channels and value range), and what one of them
    // in that size shows; equal stamps, equal pictures.
    std::uint64_t ContentStamp(int session);
    std::uint64_t Stamp(int session, CSize size);
    // The session's channels: their points (fed first where they are still to come), colours
    // and widths.
    std::uint64_t SessionDigest(int session);

    CiPlotX m_chart; // never gets a window
    std::vector<PointFeed> m_pointFeeds; // by channel of m_chart; empty once fed
    std::array<std::optional<std::uint64_t>, CBasicViewSettings::kMaxSessions> m_sessionDigests{};
    double m_lower = 0.0;
    double m_upper = 1.0;
    int m_writtenCount = 0;
    std::uintmax_t m_writtenBytes = 0;
};
