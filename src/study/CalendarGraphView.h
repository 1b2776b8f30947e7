#pragma once
// The calendar graph of the Energy study: the one or two bins selected in the calendar grid as a
// full chart of the chosen parameter and channel. Before the calendar table renders its
// thumbnails, the graph puts every session on its own X axis (the options message).
#include "study/BasicGraphView.h"
#include "study/CalendarModel.h"
#include "study/CalendarThumbnails.h"
#include "views/RuntimeClass.h"

#include <array>
#include <memory>
#include <span>
#include <vector>

class CCalendarTableView;
class CCalendarTableViewDialogBar;
class CTrendChannel;
class CTrendTimeBlock;

struct SCalendarParameter
{
    DWORD quantity;
    int phaseSlots;
};

class CCalendarGraphView : public CBasicGraphView
{
public:
    static const SRuntimeClass& Class();
    CCalendarGraphView();

    void OnUpdate(CWnd* sender, LPARAM hint, CUpdateMsg* hintObject) override;
    void RefreshGraph() override;
    void UpdateTimeRangeSection() override {}
    void LinkWindows() override;
    void InitDataItems() override;
    // The scales of what the graph shows: the parameter of the sessions of the selected bins.
    void UpdateValueScales() override;
    bool IsItemShown(DWORD quantity, int slot) const override;
    void ConfigurePlot() override;
    void StoreAxisCounts() override;
    // Index into the study's parameter table; an index past it does nothing.
    void SetParameter(int index);

    // Sessions of the four slots that the calendar shows (compatible with the study).
    bool IsSessionPresent(int session) const;
    CCalendarTableView* GetCalendarTable() const { return m_calendarTable; }
    // All present sessions on their X axes with the chosen parameter and channel. With
    // `pointsOnDemand` (for the calendar table's thumbnails) the channels get only the range of
    // their values; their points come from the feeds TakePointFeeds() hands over.
    void ApplyOptions(bool pointsOnDemand = false);
    // The feeds of the channels of the last ApplyOptions(true), by channel; none after them.
    std::vector<CCalendarThumbnails::PointFeed> TakePointFeeds() { return std::move(m_pointFeeds); }
    // The table view's selected bins on X axes 0 and 1.
    void ShowSelection();
    // The first selected bin's axis: the selections, not the sessions, have the time axes.
    int ReferenceAxis() const override { return 0; }

protected:
    CCalendarGraphView(int settingsKind, int viewKind, int studyType);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual std::span<const SCalendarParameter> Parameters() const;
    // The window-table entry of the calendar table of this study.
    virtual int CalendarTableEntry() const { return 11; }

private:
    void UpdateSessionFlags();
    // True when a session of the study holds the quantity in that phase slot.
    bool AnySessionHolds(DWORD quantity, int slot) const;
    // The colour of the next channel of a session (the distinct-colour preference or the
    // session's running number in the study).
    // A second bin of the session of the first takes a colour of its own (none of a session's).
    COLORREF ChannelColor(int session, bool secondBinOfSession = false) const;
    // A channel placed without its points, its value range still to be found.
    struct SPlacedChannel
    {
        int channel;
        std::unique_ptr<CTrendChannel> trend;
        const CTrendTimeBlock* block;
    };
    // The session's channels of the shown phase slots, fed on the X axis of `plotSlot`; with
    // `placed`, only placed there, their feeds kept and their ranges left to SetValueRanges.
    void AddSessionChannels(int plotSlot, int session, bool secondBinOfSession = false,
                            std::vector<SPlacedChannel>* placed = nullptr);
    void SetValueRanges(const std::vector<SPlacedChannel>& placed);
    void SetYAxisTitle();

    // The options the value axis was last scaled for with bins shown: unknown until the first
    // show (the project's stored range holds), none after a show without bins.
    static constexpr DWORD kUnknownScale = 0xFFFFFFFF;
    static constexpr DWORD kNoScale = 0xFFFFFFFE;
    struct SValueScaleKey
    {
        DWORD quantity = kUnknownScale;
        int channel = -1;
        bool operator==(const SValueScaleKey&) const = default;
    };
    SValueScaleKey m_scaleKey;
    CCalendarTableView* m_calendarTable = nullptr;
    CCalendarTableViewDialogBar* m_optionsBar = nullptr;
    std::array<bool, CBasicViewSettings::kMaxSessions> m_present{};
    std::vector<CCalendarThumbnails::PointFeed> m_pointFeeds;
};
