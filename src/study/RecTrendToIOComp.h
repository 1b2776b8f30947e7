#pragma once
// CRecTrendToIOComp: the feeder of the trend views. Channels are added per session, data item
// name, phase and statistic and filled from trend channels: the points of the session's time
// block inside the feeding window, a gap marker or a value that is not finite breaking the line.
#include "study/DataToIOComp.h"

#include <span>

class CRecDoc;
class CSeriesFeed;
class CTrendChannel;
class CTrendTimeBlock;
class CDataItemTrend;
class CPlotChannel;
class ITrendChannelAccess;
struct STrendAccessSpec;

class CRecTrendToIOComp : public CDataToIOComp
{
public:
    // The views pass record kind 1 (trend records) and no options.
    CRecTrendToIOComp(CiPlotX* chart, CRecDoc* document, int recordKind, int options);

    void ClearChannels();
    int AddChannel(int session, const CString& name, DWORD phase, int statistic, COLORREF color);
    void SetChannelLimit(int channel, float value, bool shown);
    // The channel's quantity (kNoQuantity = none) and its Y axis by that quantity.
    void SetChannelQuantity(int channel, DWORD quantity);
    DWORD GetChannelQuantity(int channel) const;
    struct SChannelFeed
    {
        int channel;
        const CTrendChannel* trend;
        bool withMinMax; // the Min and Max channels of the same session, name and phase too
    };
    // Feeds each channel from its trend channel's series of its statistic and, with
    // `withMinMax`, the Min and Max channels of the same session, name and phase from theirs;
    // only points inside [windowStart, windowEnd] (chart dates) and one either side are fed.
    // The trend channels share the time block, whose records are read once for all of them.
    // The session's X axis is the one of `sessionIndex`.
    void FeedChannels(std::span<const SChannelFeed> feeds, const CTrendTimeBlock& block, int sessionIndex,
                      double windowStart, double windowEnd);
    void FeedChannel(int channel, const CTrendChannel& trend, const CTrendTimeBlock& block, bool withMinMax,
                     int sessionIndex, double windowStart, double windowEnd);
    // The channel on the session's X axis as FeedChannel puts it there, without points; they are
    // fed later (FeedPoints), their value range may be given before (CPlotChannel::SetDataRange).
    void PlaceChannel(int channel, int sessionIndex, double windowStart, double windowEnd);
    // A placed channel's points: the plot cleared and fed every sample of the window.
    static void FeedPoints(CPlotChannel& plot, const ITrendChannelAccess& series, int recordCount,
                           const CTrendTimeBlock& block, double windowStart, double windowEnd);
    // The axes, channel flags and limits are put on the chart and it is drawn.
    void Finish();
    void SetDemandPeriod(int seconds) { m_demandPeriod = seconds; }
    // Feeding keeps, of the samples within each step (chart days; 0 feeds every sample), the
    // first, the lowest, the highest and the last: the same picture from far fewer points.
    void SetDecimationStep(double days) { m_decimationStep = days; }
    int GetDemandPeriod() const { return m_demandPeriod; }
    void SetAxisTitle(int axis, const CString& title);
    // First data cursor style 3, the second 4; 0 for both when off.
    void SetCursorStyle(bool on);
    // Halves or doubles the span of every visible X axis around its centre.
    void ZoomIn();
    void ZoomOut();
    void Redraw(bool windowed);
    // The document's trend item of a session, built when not cached; null without one.
    CDataItemTrend* ProvideTrendItem(int dataSet, DWORD itemId, const STrendAccessSpec& accessSpec) const;
    static CDataItemTrend* ProvideTrendItem(CRecDoc* document, int dataSet, DWORD itemId,
                                            const STrendAccessSpec& accessSpec);

private:
    // Clears the channel's plot and hands it with the trend channel's series of its statistic to
    // the feed.
    void AddSeries(int channel, const CTrendChannel& trend, CSeriesFeed& feed);
    void ZoomAll(double factor);

    CRecDoc* m_document;
    int m_demandPeriod = 0;
    double m_decimationStep = 0.0;
};
